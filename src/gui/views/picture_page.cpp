#include "gui/views/picture_page.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

#include "base/string_ids.h"
#include "core/file_list.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;

PicturePage::PicturePage(GuiContext& context, QWidget* parent)
    : QWidget(parent), context_(context) {
    auto* picture = new QFrame(this);
    picture->setFrameShape(QFrame::StyledPanel);
    picture->setFrameShadow(QFrame::Sunken);
    picture->setMinimumSize(120, 120);

    auto* typeLabel = new QLabel(text(ids::kTagLabelPictureType), this);
    auto* type = new QComboBox(this);
    type->setEnabled(false);
    typeLabel->setBuddy(type);

    auto* save = new QPushButton(text(ids::kButtonSavePicture), this);
    auto* open = new QPushButton(text(ids::kButtonOpenPicture), this);
    auto* remove = new QPushButton(text(ids::kButtonDeletePicture), this);
    save->setEnabled(false);
    open->setEnabled(false);
    remove->setObjectName(QStringLiteral("deletePicture"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(picture, 0, 0, 5, 1);
    layout->addWidget(typeLabel, 0, 1);
    layout->addWidget(type, 0, 2);
    layout->addWidget(save, 1, 1, 1, 2);
    layout->addWidget(open, 2, 1, 1, 2);
    layout->addWidget(remove, 3, 1, 1, 2);
    layout->setRowStretch(4, 1);
    layout->setColumnStretch(0, 1);

    connect(remove, &QPushButton::clicked, this, &PicturePage::deletePicture);
}

void PicturePage::deletePicture() {
    if (context_.list.selectedCount() != 1)
        return;
    QMessageBox question(QMessageBox::Question, text(ids::kCaptionWarning),
                         text(ids::kMsgConfirmDeletePicture), QMessageBox::Yes | QMessageBox::No,
                         this);
    question.exec();
}

}  // namespace tw::gui
