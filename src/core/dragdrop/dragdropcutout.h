#pragma once
// A drag-and-drop exercise cut out of one picture: the emptied scene and the
// objects written into img, then the project filled as the teacher would by hand.
#include <QColor>
#include <QImage>
#include <QList>
#include <QString>

#include "dragdrop/dragdropmodule.h"
#include "pictures/cutout.h"

namespace toravi {

struct CutoutObject {
    QString name;  // the object's tooltip text
    QImage mask;   // Grayscale8, the picture's size (cutout.h)
};

// What a cut-out wrote into img, ready for the project to take.
struct CutoutWritten {
    QString scene;                // file name in img of the emptied scene
    QList<DragDropObject> objects;  // in the order cut, their places not yet set
    QList<QPoint> places;         // where each was cut, in the page's scene
};

// Checks and writes the pictures only: `s` is not changed and no object is touched,
// so it runs on any thread. Returns "" when done, else a plain French message.
QString WriteCutout(const DragDropState& s, const QString& picturePath, const CutoutSource& src,
                    const QList<CutoutObject>& objects, PlaceFill fill, const QColor& colour,
                    CutoutWritten& written);
// The project takes what WriteCutout wrote: the scene, the objects and their places,
// the check on with the default tolerance.
void TakeCutout(DragDropModule& module, const CutoutWritten& written);

// WriteCutout then TakeCutout.
// Writes into the working folder's img the emptied scene and one PNG per object,
// never touching `picturePath` (the picture cut) nor a picture the project uses;
// then the scene becomes the reference picture, the objects are added in order
// with their names as tooltips, each placed where it was cut (in the page's scene,
// 700 pixels wide, the objects sized as the page shows the scene), and the check
// is on with the default tolerance. The working folder must be chosen.
// Returns "" when done, else a plain French message: then the project is as it was.
QString ApplyCutout(DragDropModule& module, const QString& picturePath, const CutoutSource& src,
                    const QList<CutoutObject>& objects, PlaceFill fill, const QColor& colour = kDefaultPlaceColour);

// The name in img of the scene cut from `picture` ("" object) or of one of its objects:
// both names made safe for every system and page ("bureau-vide.jpg", "bureau-tasse.png").
QString CutoutFileName(const QString& picture, const QString& object, bool jpeg);

}  // namespace toravi
