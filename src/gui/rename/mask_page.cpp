// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/rename/mask_page.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>
#include <QVBoxLayout>

#include "base/string_ids.h"
#include "base/user_port.h"
#include "core/app_options.h"
#include "gui/common/accessible_names.h"
#include "gui/common/shell_port.h"
#include "gui/qt_text.h"
#include "gui/rename/mask_legend.h"
#include "rename/mask_expansion.h"
#include "rename/mask_list.h"
#include "rename/mask_validation.h"

namespace tw::gui {

namespace ids = base::ids;

namespace {

QPushButton* commandButton(QWidget* parent, int captionId, int toolTipId, const char* name) {
    auto* button = new QPushButton(text(captionId), parent);
    button->setToolTip(text(toolTipId));
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

MaskPage::MaskPage(GuiContext& context, ShellPort& shell, const MaskEditorSetup& setup,
                   QWidget* parent)
    : QWidget(parent),
      context_(context),
      shell_(shell),
      setup_(setup),
      masks_(new QListWidget(this)),
      field_(new QLineEdit(this)),
      example_(new QLabel(this)),
      legend_(new MaskLegend(setup.legend, setup.counterOptions, this)) {
    masks_->setObjectName(QStringLiteral("masks"));
    field_->setObjectName(QStringLiteral("maskField"));
    example_->setObjectName(QStringLiteral("example"));
    example_->setTextFormat(Qt::PlainText);
    example_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    legend_->setObjectName(QStringLiteral("legend"));

    auto* listLabel = new QLabel(text(ids::kMaskExistentList), this);
    listLabel->setBuddy(masks_);
    nameAfterLabel(*masks_, *listLabel);
    nameControl(*field_, ids::kNameMask);
    auto* exampleRow = new QHBoxLayout;
    exampleRow->addWidget(new QLabel(text(ids::kMaskExample), this));
    exampleRow->addWidget(example_, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(listLabel);
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(masks_, 1);
    listRow->addWidget(makeButtons());
    layout->addLayout(listRow, 1);
    layout->addWidget(field_);
    layout->addLayout(exampleRow);
    layout->addWidget(legend_);

    connect(masks_, &QListWidget::currentRowChanged, this, &MaskPage::showEntry);
    connect(field_, &QLineEdit::textEdited, this, &MaskPage::markEdited);
    connect(legend_, &MaskLegend::buttonClicked, this, &MaskPage::insertToken);
}

QWidget* MaskPage::makeButtons() {
    auto* box = new QWidget(this);
    moveUp_ = commandButton(box, ids::kMaskButtonMoveUp, ids::kCmdMaskMoveUp, "moveUp");
    moveDown_ = commandButton(box, ids::kMaskButtonMoveDown, ids::kCmdMaskMoveDown, "moveDown");
    delete_ = commandButton(box, ids::kMaskButtonDelete, ids::kCmdMaskDelete, "deleteMask");
    add_ = commandButton(box, ids::kMaskButtonAdd, ids::kCmdMaskAdd, "addMask");
    clone_ = commandButton(box, ids::kMaskButtonClone, ids::kCmdMaskClone, "cloneMask");
    save_ = commandButton(box, ids::kMaskButtonSave, ids::kCmdMaskSave, "save");

    saveMenu_ = new QToolButton(box);
    saveMenu_->setObjectName(QStringLiteral("saveMenu"));
    saveMenu_->setToolTip(text(ids::kCmdMaskSaveMenu));
    nameControl(*saveMenu_, ids::kNameSaveMenu);
    saveMenu_->setPopupMode(QToolButton::InstantPopup);
    saveMenu_->setArrowType(Qt::DownArrow);
    auto* menu = new QMenu(saveMenu_);
    connect(menu->addAction(text(ids::kMaskMenuSave)), &QAction::triggered, this,
            [this] { (void)save(); });  // a refused mask is told there
    saveAsNew_ = menu->addAction(text(ids::kMaskMenuSaveAsNew));
    connect(saveAsNew_, &QAction::triggered, this, &MaskPage::cloneMask);
    saveMenu_->setMenu(menu);

    auto* toggle = new QPushButton(text(ids::kMaskToggleLegend), box);
    toggle->setObjectName(QStringLiteral("toggleLegend"));
    toggle->setAutoDefault(false);

    auto* saveRow = new QHBoxLayout;
    saveRow->setContentsMargins(0, 0, 0, 0);
    saveRow->addWidget(save_, 1);
    saveRow->addWidget(saveMenu_);
    auto* column = new QVBoxLayout(box);
    column->setContentsMargins(0, 0, 0, 0);
    for (QPushButton* button : {moveUp_, moveDown_, delete_, add_, clone_})
        column->addWidget(button);
    column->addLayout(saveRow);
    column->addStretch();
    column->addWidget(toggle);

    connect(moveUp_, &QPushButton::clicked, this, &MaskPage::moveUp);
    connect(moveDown_, &QPushButton::clicked, this, &MaskPage::moveDown);
    connect(delete_, &QPushButton::clicked, this, &MaskPage::deleteMask);
    connect(add_, &QPushButton::clicked, this, &MaskPage::addMask);
    connect(clone_, &QPushButton::clicked, this, &MaskPage::cloneMask);
    connect(save_, &QPushButton::clicked, this, [this] { (void)save(); });  // as above
    connect(toggle, &QPushButton::clicked, this, [this] { setLegendShown(!legendShown()); });
    return box;
}

void MaskPage::load(const rename::MaskList& list) {
    const QSignalBlocker quiet(masks_);
    masks_->clear();
    for (const std::string& mask : list.masks())
        masks_->addItem(qs(mask));
    masks_->addItem(text(ids::kMaskNewMaskPlaceholder));
    legend_->setCounter(list.counterStart(), list.counterLength());
    const int selected = list.selectedIndex();
    masks_->setCurrentRow(selected >= 0 ? selected : placeholderRow());
    showEntry(masks_->currentRow());
    // A mask typed in the dialog that is no entry waits in the field, ready to be saved; it
    // is no mask of the list yet, so OK asks about it like about any edit not saved.
    if (selected < 0 && !list.currentMask().empty()) {
        field_->setText(qs(list.currentMask()));
        markEdited();
    }
}

void MaskPage::apply(rename::MaskList& list) const {
    std::vector<std::string> masks;
    for (int row = 0; row < placeholderRow(); ++row)
        masks.push_back(utf8(masks_->item(row)->text()));
    list.setMasks(masks, selectedMask());
    if (legend_->hasCounterOptions()) {
        list.setCounterStart(legend_->counterStart());
        list.setCounterLength(legend_->counterLength());
    }
}

void MaskPage::restoreDefaults() {
    rename::MaskList defaults{std::string_view()};
    defaults.addDefaults(setup_.defaultMasks);
    load(defaults);
}

bool MaskPage::legendShown() const {
    return !legend_->isHidden();
}

void MaskPage::setLegendShown(bool shown) {
    legend_->setHidden(!shown);
}

void MaskPage::setCaseMode(rename::CaseMode mode) {
    caseMode_ = mode;
    updateExample();
}

bool MaskPage::hasUnsavedEdit() const {
    return edited_ && !field_->text().isEmpty();
}

int MaskPage::placeholderRow() const {
    return masks_->count() - 1;
}

int MaskPage::selectedMask() const {
    const int row = masks_->currentRow();
    return row >= 0 && row < placeholderRow() ? row : -1;
}

void MaskPage::addEntry(const QString& text) {
    masks_->insertItem(placeholderRow(), text);
}

void MaskPage::showEntry(int row) {
    if (row < 0) {
        field_->clear();
        placeholderShown_ = false;
    } else {
        field_->setText(masks_->item(row)->text());
        placeholderShown_ = row == placeholderRow();
        if (placeholderShown_)
            field_->selectAll();
    }
    edited_ = false;
    updateExample();
    updateButtons();
}

void MaskPage::markEdited() {
    edited_ = true;
    placeholderShown_ = false;
    updateExample();
    updateButtons();
}

void MaskPage::insertToken(int buttonId) {
    field_->setFocus();
    if (placeholderShown_)
        field_->clear();
    if (buttonId == kUpLevelButtonId) {
        // Up from an absolute folder means nothing: the climb replaces it.
        if (field_->text().startsWith(QLatin1Char('\\')))
            replaceFolderPrefix({});
        insertAtStart(QStringLiteral("..\\"), 3);
    } else if (buttonId == rename::kAbsPathButtonId) {
        const auto folder = shell_.pickPath(context_.options.workFolder);
        if (!folder)
            return;
        // In the mask language's own spelling, so the mask check takes it: a leading "\"
        // is the root. It replaces the folders the mask began with.
        QString prefix = qs(*folder).replace(QLatin1Char('/'), QLatin1Char('\\'));
        if (!prefix.startsWith(QLatin1Char('\\')))
            prefix.prepend(QLatin1Char('\\'));
        if (!prefix.endsWith(QLatin1Char('\\')))
            prefix += QLatin1Char('\\');
        replaceFolderPrefix(prefix);
    } else if (const rename::MaskToken* token = tokenOfButton(buttonId)) {
        field_->insert(qs(token->text));  // replaces the selection, the caret after it
    }
    markEdited();
}

void MaskPage::replaceFolderPrefix(const QString& prefix) {
    const std::string mask = utf8(field_->text());
    const QString rest = qs(mask.substr(rename::fixedFolderLength(mask)));
    field_->setText(prefix + rest);
    field_->setCursorPosition(static_cast<int>(prefix.size()));
}

void MaskPage::insertAtStart(const QString& text, int caret) {
    field_->setText(text + field_->text());
    field_->setCursorPosition(caret);
}

bool MaskPage::save() {
    const std::string mask = utf8(field_->text());
    if (mask.empty() || placeholderShown_)
        return false;
    const rename::MaskCheck check = rename::ValidateMask(mask, setup_.permissions);
    if (!check.valid) {
        context_.port.showMessage(base::UserPort::Severity::Error, rename::maskCheckMessage(check));
        selectFault(mask, check.start, check.length);
        return false;
    }
    const int row = selectedMask();
    if (row < 0) {
        addEntry(field_->text());
        masks_->setCurrentRow(placeholderRow() - 1);
    } else {
        masks_->item(row)->setText(field_->text());
        edited_ = false;
        updateButtons();
    }
    return true;
}

void MaskPage::selectFault(const std::string& mask, std::size_t start, std::size_t length) {
    // The check counts bytes of UTF-8; the field counts UTF-16 units.
    start = std::min(start, mask.size());
    const auto before = static_cast<int>(qs(std::string_view(mask).substr(0, start)).size());
    const auto fault = static_cast<int>(qs(std::string_view(mask).substr(start, length)).size());
    field_->setFocus();
    field_->setSelection(before, fault);
}

void MaskPage::cloneMask() {
    if (selectedMask() < 0 || field_->text().isEmpty())
        return;
    addEntry(field_->text());
    masks_->setCurrentRow(placeholderRow() - 1);
}

void MaskPage::addMask() {
    if (masks_->currentRow() == placeholderRow())
        showEntry(placeholderRow());
    else
        masks_->setCurrentRow(placeholderRow());
    field_->setFocus();
}

void MaskPage::deleteMask() {
    const int row = selectedMask();
    if (row < 0)
        return;
    {
        const QSignalBlocker quiet(masks_);
        delete masks_->takeItem(row);
        masks_->setCurrentRow(-1);
    }
    const int masks = placeholderRow();
    masks_->setCurrentRow(row < masks ? row : (masks > 0 ? masks - 1 : placeholderRow()));
}

void MaskPage::moveUp() {
    if (selectedMask() > 0)
        swapWithRow(selectedMask() - 1);
}

void MaskPage::moveDown() {
    const int row = selectedMask();
    if (row >= 0 && row < placeholderRow() - 1)
        swapWithRow(row + 1);
}

void MaskPage::swapWithRow(int other) {
    const int row = selectedMask();
    const QString text = masks_->item(row)->text();
    masks_->item(row)->setText(masks_->item(other)->text());
    masks_->item(other)->setText(text);
    // The field shows the mask that moved, edited or not: leave it as it is.
    const QSignalBlocker quiet(masks_);
    masks_->setCurrentRow(other);
    updateButtons();
}

void MaskPage::updateButtons() {
    const int row = selectedMask();
    const int masks = placeholderRow();
    moveUp_->setEnabled(row > 0);
    moveDown_->setEnabled(row >= 0 && row < masks - 1);
    delete_->setEnabled(row >= 0);
    const bool canClone = row >= 0 && !field_->text().isEmpty();
    clone_->setEnabled(canClone);
    saveAsNew_->setEnabled(canClone);
    save_->setEnabled(!field_->text().isEmpty() && !placeholderShown_);
    saveMenu_->setEnabled(save_->isEnabled() || canClone);
}

void MaskPage::updateExample() {
    const std::string mask = placeholderShown_ ? std::string() : utf8(field_->text());
    example_->setText(qs(rename::maskExampleLine(mask, setup_.examples, caseMode_, setup_.extension,
                                                 context_.settings)));
}

}  // namespace tw::gui
