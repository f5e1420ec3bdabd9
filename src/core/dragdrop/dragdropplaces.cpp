// Where each object belongs on the scene, and the page's check of the pupils' answer.
#include "dragdrop/dragdropmodule.h"

#include "files/files.h"
#include "pages/colors.h"
#include "pictures/imginf.h"

#include <algorithm>

namespace toravi {

namespace {

// A tolerance beyond the shown scene would make every answer right.
constexpr int kLargestTolerance = 700;
// The file keeps six digits per place.
constexpr int kFarthest = 999999;
// Which steps of the history merge with the one before.
constexpr int kNudgeStep = 1;
constexpr int kToleranceStep = 2;

QSize pageSize(const DragDropState& s, const QString& name)
{
    if (s.strFolderName.isEmpty() || name.isEmpty())
        return {};
    const PictureSize size = GetPictureSize(JoinPath(JoinPath(s.strFolderName, QStringLiteral("img")), name));
    return {size.largeur.toInt(), size.hauteur.toInt()};
}

}  // namespace

int ShownSceneHeight(qint64 width, qint64 height)
{
    if (width <= 0 || height <= 0)
        return 0;
    return int(std::min<qint64>((2 * height * 700 + width) / (2 * width), 1000000));
}

bool HasCheck(const DragDropState& s) { return s.strVerifier == words::vrai; }

int ToleranceOf(const DragDropState& s)
{
    bool ok = false;
    const int t = s.strTolerance.toInt(&ok);
    return ok ? std::min(t, kLargestTolerance) : kDefaultTolerance;
}

QSize DragDropModule::ShownSceneSize() const
{
    const QSize real = pageSize(state, state.strImageFile);
    const int height = ShownSceneHeight(real.width(), real.height());
    return height > 0 ? QSize(700, height) : QSize();
}

QSize DragDropModule::ObjectPageSize(int index) const
{
    if (index < 0 || index >= state.objects.size())
        return {};
    return pageSize(state, state.objects[index].fileName);
}

void DragDropModule::SetPlace(int index, std::optional<QPoint> place, bool nudge)
{
    if (index < 0 || index >= state.objects.size())
        return;
    if (place) {
        const QSize scene = ShownSceneSize(), object = ObjectPageSize(index).expandedTo({0, 0});
        const int right = scene.isValid() ? std::max(0, scene.width() - object.width()) : kFarthest;
        const int bottom = scene.isValid() ? std::max(0, scene.height() - object.height()) : kFarthest;
        place = QPoint(std::clamp(place->x(), 0, right), std::clamp(place->y(), 0, bottom));
    }
    const std::optional<QPoint> before = state.objects[index].place;
    if (place == before)
        return;
    const QString tooltip = state.objects[index].tooltip;
    Push((place ? QStringLiteral("placer l'objet « %1 »") : QStringLiteral("retirer la place de l'objet « %1 »"))
             .arg(tooltip),
         [this, index, place] { state.objects[index].place = place; },
         [this, index, before] { state.objects[index].place = before; }, nudge ? kNudgeStep : -1, index);
}

void DragDropModule::SetCheck(bool on)
{
    Change(QStringLiteral("modifier « Bouton Vérifier dans la page »"),
           [this, on] { state.strVerifier = on ? words::vrai : words::faux; });
}

void DragDropModule::SetTolerance(int pixels)
{
    // The spin box's steps in a row are one change.
    Change(
        QStringLiteral("modifier la tolérance"),
        [this, pixels] { state.strTolerance = QString::number(std::clamp(pixels, 0, kLargestTolerance)); },
        kToleranceStep);
}

}  // namespace toravi
