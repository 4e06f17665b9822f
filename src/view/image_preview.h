// The preview step: the focused item's file, scaled into three quarters of the list's width and
// its whole height, shown as a 16-bit picture in the overlay at the list's lower right corner.
#ifndef FOLDWISE_VIEW_IMAGE_PREVIEW_H
#define FOLDWISE_VIEW_IMAGE_PREVIEW_H

#include "ceplatform.h"

void RunPreviewStep(HWND pane);

// Stops the preview timer on the list view's parent and hides the overlay window.
void StopPreview();

#endif
