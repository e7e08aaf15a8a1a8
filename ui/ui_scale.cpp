// The process-wide scale values.
#include "ui/ui_scale.h"

namespace pelrin {
namespace {
float g_uiScale = 1.0F;
float g_dpiRatio = 1.0F;
}  // namespace

float UiScale() { return g_uiScale; }
void SetUiScale(float scale) { g_uiScale = scale > 0.0F ? scale : 1.0F; }
float DpiRatio() { return g_dpiRatio; }
void SetDpiRatio(float ratio) { g_dpiRatio = ratio > 0.0F ? ratio : 1.0F; }

}  // namespace pelrin
