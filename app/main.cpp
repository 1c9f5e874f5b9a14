#include "app/torvak_app.h"

int main(int argc, char** argv) {
  CTorvakApp app;
  return app.InitInstance(argc, argv);
}
