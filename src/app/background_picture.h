// The window's background picture, which reports pointer moves over itself alone.
#pragma once

#include <QWidget>

namespace tq {

class BackgroundPicture : public QWidget {
  Q_OBJECT

 public:
  explicit BackgroundPicture(QWidget* parent);

 signals:
  // The pointer moved over the background itself, not over a control standing on it.
  void MouseMove();

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
};

}  // namespace tq
