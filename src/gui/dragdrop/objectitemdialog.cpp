#include "dragdrop/objectitemdialog.h"

#include "dragdrop/dragdropwindow.h"
#include "dragdrop/objectframe.h"
#include "files/files.h"
#include "pictures/imginf.h"
#include "pictures/picturecache.h"
#include "widgets/appcontext.h"
#include "widgets/controls.h"
#include "widgets/windownames.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace toravi {

ObjectItemDialog::ObjectItemDialog(AppContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx)
{
    setWindowTitle(QStringLiteral("Toravi - Info image"));
    setModal(false);

    auto* frame2 = Named(new QGroupBox(QStringLiteral("Modification de l'item"), this), "Frame2");
    {
        auto* g = new QGridLayout(frame2);
        g->addWidget(MakeLabel("Label1", QStringLiteral("Texte d'accompagnement de l'info-bulle"), frame2), 0, 0, 1, 2);
        tooltipBox_ = Named(new QLineEdit(frame2), "Text1");
        tooltipBox_->setMinimumWidth(220);
        g->addWidget(tooltipBox_, 1, 0);
        auto* valid = MakeButton("cmdValid", QStringLiteral("Modifier"), frame2);
        g->addWidget(valid, 1, 1);
        g->setColumnStretch(0, 1);
        connect(valid, &QPushButton::clicked, this, &ObjectItemDialog::modify);
        connect(tooltipBox_, &QLineEdit::returnPressed, this, &ObjectItemDialog::modify);
    }
    auto* frame1 = Named(new QGroupBox(QStringLiteral("Suppression de l'item"), this), "Frame1");
    {
        auto* h = new QHBoxLayout(frame1);
        h->addWidget(MakeLabel("Label2", QStringLiteral("Supprimer l'image de cet objet >>>"), frame1), 1);
        auto* suppr = MakeButton("cmdSuppr", QStringLiteral("Supprimer"), frame1);
        h->addWidget(suppr);
        connect(suppr, &QPushButton::clicked, this, &ObjectItemDialog::remove);
    }
    // Picture1 shows the object being edited, so the teacher sees which one it is.
    objectPicture_ = Named(new ObjectFrame(this), "Picture1");
    objectPicture_->setFixedSize(DragDropWindow::kFrameWidth * 2, DragDropWindow::kFrameHeight * 2);
    objectPicture_->setFrameShape(QFrame::Box);
    objectPicture_->setScaledContents(false);
    objectPicture_->setAlignment(Qt::AlignCenter);
    auto* picture2 = Named(new QWidget(this), "Picture2");
    auto* right = new QVBoxLayout(picture2);
    right->setContentsMargins(0, 0, 0, 0);
    right->addWidget(frame2);
    right->addWidget(frame1);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(objectPicture_, 0, Qt::AlignTop);
    layout->addWidget(picture2, 1);

    // What it edits may change under it (reset, load): then it goes, rather
    // than write its text onto whatever object took that place.
    connect(&ctx_.dragdrop, &DragDropModule::refreshRequested, this, [this] {
        if (!stillEditing())
            ctx_.windows.unload(names::kObjectItem);
    });

    LoadItem();
    CentreOnScreen(this);
}

void ObjectItemDialog::LoadItem()
{
    const DragDropState& s = ctx_.dragdrop.state;
    item_ = s.intSelectedItem;
    edited_ = {};
    QString text;
    QImage picture;
    if (item_ >= 0 && item_ < s.objects.size()) {
        edited_ = s.objects[item_];
        text = edited_.tooltip;
        if (!s.strFolderName.isEmpty() && !s.objects[item_].fileName.isEmpty()) {
            const QString path =
                JoinPath(JoinPath(s.strFolderName, QStringLiteral("img")), s.objects[item_].fileName);
            // Whole and undistorted here, unlike the stretched frames; upright as the page shows it.
            const ImageInfo info = GetImageInfo(path);
            const QSize natural(info.Width, info.Height);
            if (info.ImageType != IMG_FAIL && !natural.isEmpty())
                picture = PictureCache::instance().load(
                    path, natural.scaled(objectPicture_->size() - QSize(4, 4), Qt::KeepAspectRatio).expandedTo({1, 1}));
        }
    }
    tooltipBox_->setText(text);
    tooltipBox_->selectAll();
    tooltipBox_->setFocus();
    objectPicture_->setPicture(picture);
}

bool ObjectItemDialog::stillEditing() const
{
    const QList<DragDropObject>& objects = ctx_.dragdrop.state.objects;
    if (item_ < 0 || item_ >= objects.size())
        return false;
    const DragDropObject& now = objects[item_];
    return now.source == edited_.source && now.fileName == edited_.fileName && now.tooltip == edited_.tooltip;
}

void ObjectItemDialog::modify()
{
    if (stillEditing())
        ctx_.dragdrop.ModifyItem(item_, tooltipBox_->text());
    ctx_.windows.unload(names::kObjectItem);
}

void ObjectItemDialog::remove()
{
    if (!stillEditing() || ctx_.dragdrop.DeleteItem(item_))
        ctx_.windows.unload(names::kObjectItem);
}

}  // namespace toravi
