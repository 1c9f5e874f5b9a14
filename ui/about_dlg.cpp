#include "ui/about_dlg.h"

#include <QLabel>
#include <QPushButton>

#include "ui/dialog_parts.h"
#include "ui/program_art.h"

namespace {

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
  const DialogUnits du(font(), DialogUnits::Rounding::WholeBase);

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
