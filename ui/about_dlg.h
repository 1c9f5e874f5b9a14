#pragma once
#include <QDialog>

// The About box: caption "Info über Torvak", the program icon, the version,
// two credit lines and a small picture; OK or Esc close it.
class CAboutDlg : public QDialog {
  Q_OBJECT
 public:
  explicit CAboutDlg(QWidget* parent = nullptr);
};

// The text of the entry that opens the About box, translated in context "CAboutDlg".
inline constexpr const char* kAboutEntry = QT_TRANSLATE_NOOP("CAboutDlg", "&Info über Torvak...");
