#pragma once
// Balloon help: multi-line tooltips on the program's own controls, optionally
// centred ("<c>") or right-aligned ("<r>"), wrapped at a maximum width and
// centred on the pointer.
#include <QString>

class QWidget;

namespace toravi {

// Starts the handling; false when it is already active (nothing changes then).
bool HookBubble();
// Maximum text width in pixels.
void SetBubbleWidth(int width);
// Stops the handling for every window.
void UnhookBubble();
// Gives a control its balloon text: lines separated by CR LF, optional leading code.
void SetBalloonText(QWidget* control, const QString& text);

}  // namespace toravi
