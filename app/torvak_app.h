#pragma once

// Starts the program: the application with its settings root and font,
// then the main window as a modal dialog. The program ends when the window
// closes.
class CTorvakApp {
 public:
  int InitInstance(int& argc, char** argv);
};
