#include "shell/balloon.h"

#include <QWidget>

namespace toravi {

// Placeholder bodies, to be written.
bool HookBubble() { return true; }
void SetBubbleWidth(int) {}
void UnhookBubble() {}
void SetBalloonText(QWidget* control, const QString& text) { control->setToolTip(text); }

}  // namespace toravi
