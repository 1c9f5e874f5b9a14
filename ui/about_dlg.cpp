#include "ui/about_dlg.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

#include "ui/program_art.h"

namespace {

// Dialog units of the template, converted with the dialog font's average
// character width (4 units) and height (8 units).
class DialogUnits {
 public:
  explicit DialogUnits(const QFont& font) {
    const QFontMetrics metrics(font);
    baseX_ =
        (metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz")) +
         26) /
        52;
    baseY_ = metrics.height();
  }
  int X(int units) const { return units * baseX_ / 4; }
  int Y(int units) const { return units * baseY_ / 8; }
  QRect Rect(int x, int y, int width, int height) const { return QRect(X(x), Y(y), X(width), Y(height)); }

 private:
  int baseX_ = 0;
  int baseY_ = 0;
};

QLabel* AddText(const QString& text, const QRect& where, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setTextFormat(Qt::PlainText);  // no prefix processing
  label->setGeometry(where);
  return label;
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Info über Torvak"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowCloseButtonHint);
  setFont(DialogFont());
  const DialogUnits du(font());

  auto* icon = new QLabel(this);
  icon->setObjectName(QStringLiteral("icon"));
  icon->setPixmap(ProgramIconPixmap(32));
  icon->setGeometry(du.X(11), du.Y(17), 32, 32);

  AddText(tr("Torvak Version %1").arg(QStringLiteral(TORVAK_VERSION)), du.Rect(40, 10, 119, 8), this)
      ->setObjectName("version");
  // The first credit line ends before the OK button, the second before the picture.
  AddText(tr("Eine Wärmebildkamera"), du.Rect(40, 22, 95, 8), this)->setObjectName("credit1");
  AddText(tr("für den Unterricht"), du.Rect(40, 34, 78, 8), this)->setObjectName("credit2");

  auto* picture = new QLabel(this);
  picture->setObjectName(QStringLiteral("picture"));
  picture->setPixmap(AboutPicture());
  picture->setGeometry(du.X(120), du.Y(32), 100, 21);

  auto* ok = new QPushButton(tr("OK"), this);
  ok->setObjectName(QStringLiteral("ok"));
  ok->setGeometry(du.Rect(138, 7, 50, 16));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  setFixedSize(du.X(195), du.Y(55));
}
