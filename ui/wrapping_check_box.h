#pragma once
#include <QCheckBox>

// A check box whose caption wraps onto further lines when the control is
// too narrow for one (a multi-line check box). The whole control toggles it.
class WrappingCheckBox : public QCheckBox {
  Q_OBJECT
 public:
  explicit WrappingCheckBox(const QString& text, QWidget* parent = nullptr);

  // Where the caption is drawn: the style's label area right of the indicator.
  QRect CaptionRect() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool hitButton(const QPoint& pos) const override;
};
