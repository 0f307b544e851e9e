// Pointer moves over the background picture.
#include "app/background_picture.h"

namespace tq {

BackgroundPicture::BackgroundPicture(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAutoFillBackground(true);
}

// Qt delivers a pointer move to the control under the pointer, so moves over the controls
// standing on the background never arrive here.
void BackgroundPicture::mouseMoveEvent(QMouseEvent*) { emit MouseMove(); }

}  // namespace tq
