// The points: added, moved, renamed and deleted as steps that can be undone.
#include "tooltip/tooltipmodule.h"

namespace toravi {

namespace {

// The stored Y is the clicked row plus this.
constexpr int kRowShift = 6;
constexpr int kNudgeStep = 1;

QString Named(const char* what, const QString& name)
{
    return QStringLiteral("%1 le point « %2 »").arg(QString::fromUtf8(what), name);
}

}  // namespace

void TooltipModule::AddPoint(int column, int row, const QString& name)
{
    const TooltipPoint point{QString::number(column), QString::number(row + kRowShift), name};
    Push(
        Named("ajouter", name), [this, point] { state.points.append(point); }, [this] { state.points.removeLast(); });
}

void TooltipModule::MovePoint(int index, int x, int y, bool nudge)
{
    if (index < 0 || index >= state.points.size())
        return;
    const TooltipPoint before = state.points[index];
    TooltipPoint after = before;
    after.x = QString::number(x);
    after.y = QString::number(y);
    if (after.x == before.x && after.y == before.y)
        return;
    Push(
        Named("déplacer", before.name), [this, index, after] { state.points[index] = after; },
        [this, index, before] { state.points[index] = before; }, nudge ? kNudgeStep : -1, index);
}

void TooltipModule::RenamePoint(int index, const QString& name)
{
    if (index < 0 || index >= state.points.size() || state.points[index].name == name)
        return;
    const QString before = state.points[index].name;
    Push(
        Named("renommer", before), [this, index, name] { state.points[index].name = name; },
        [this, index, before] { state.points[index].name = before; });
}

void TooltipModule::DeletePoint(int index)
{
    if (index < 0 || index >= state.points.size())
        return;
    const TooltipPoint point = state.points[index];
    Push(
        Named("supprimer", point.name), [this, index] { state.points.removeAt(index); },
        [this, index, point] { state.points.insert(index, point); });
}

}  // namespace toravi
