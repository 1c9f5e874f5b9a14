#pragma once
#include <QWidget>
#include <deque>

class QToolButton;

// A pair of arrow buttons that moves an integer position within a range,
// without a buddy field. The owner may refuse a change before it happens:
// every click (or arrow key) proposes position + 1 or - 1 through
// changeProposed, and the position changes only when Answer accepts it.
// Clicks made while a proposal is unanswered wait and are proposed one by
// one, each from the position the answers before it left.
class UpDown : public QWidget {
  Q_OBJECT
 public:
  // Vertical: up increases. Horizontal: right increases.
  explicit UpDown(Qt::Orientation orientation, QWidget* parent = nullptr);

  void SetRange(int minimum, int maximum);
  // Shows position (limited to the range) without asking anyone.
  void SetPosition(int position);
  int Position() const { return position_; }
  // Drops the clicks that wait behind the proposal in flight.
  void DropWaitingSteps();

  // A click on an arrow: +1 for up/right, -1 for down/left.
  void Step(int delta);
  // The answer to the proposal in flight; an accepted value becomes the position.
  void Answer(int value, bool accepted);
  bool ProposalPending() const { return pending_; }

 signals:
  void changeProposed(int value);
  void positionChanged(int position);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ProposeNext();

  Qt::Orientation orientation_;
  QToolButton* increase_;
  QToolButton* decrease_;
  int minimum_ = 0;
  int maximum_ = 100;
  int position_ = 0;
  bool pending_ = false;
  std::deque<int> waitingSteps_;
};
