#pragma once
// A combo box for long choices (a port's stable name): the shown text is cut
// in the middle with an ellipsis, keeping the start and the end (the whole
// text is in the list), and the drop-down button gets its arrow.

#include <QComboBox>

namespace lcr {

class ElidedComboBox : public QComboBox {
  Q_OBJECT

 public:
  explicit ElidedComboBox(QWidget* parent = nullptr);

  // The text the closed box shows for its current choice.
  QString shownText() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace lcr
