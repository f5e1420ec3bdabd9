#pragma once
// IForm1 (the drag-and-drop window) and InfoImg (the object item dialog).
