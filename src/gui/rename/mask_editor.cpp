// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/rename/mask_editor.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "base/language.h"
#include "base/settings_store.h"
#include "base/string_ids.h"
#include "base/user_port.h"
#include "gui/common/dialog_buttons.h"
#include "gui/common/window_placement.h"
#include "gui/qt_text.h"
#include "gui/rename/case_option_page.h"
#include "gui/rename/mask_page.h"
#include "gui/rename/symbol_table_page.h"
#include "rename/mask_list.h"
#include "rename/symbol_table.h"

namespace tw::gui {

namespace ids = base::ids;

namespace {

// At the settings root: whether the legend is shown (1, the default) or hidden (0).
constexpr std::string_view kLegendModeValue = "TemplateEditorMode";

}  // namespace

MaskEditor::MaskEditor(GuiContext& context, ShellPort& shell, rename::MaskList& list,
                       const MaskEditorSetup& setup, QWidget* parent)
    : QDialog(parent),
      context_(context),
      list_(list),
      setup_(setup),
      pages_(new QTabWidget(this)),
      masks_(new MaskPage(context, shell, setup, pages_)),
      symbols_(new SymbolTablePage(context.port, pages_)),
      cases_(new CaseOptionPage(pages_)) {
    setWindowTitle(textf(ids::kMaskEditorCaption, base::tr(setup.titleId)));
    pages_->addTab(masks_, text(ids::kMaskEditorPage));
    pages_->addTab(symbols_, text(ids::kSymbolReplacementPage));
    pages_->addTab(cases_, text(ids::kCaseOptionPage));

    QDialogButtonBox* buttons = addOkCancel(*this).box;
    base::CommonButtonString caption;
    QPushButton* defaults =
        buttons->addButton(qs(caption.Load(ids::kButtonDefault)), QDialogButtonBox::ResetRole);
    defaults->setObjectName(QStringLiteral("defaults"));
    defaults->setAutoDefault(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addWidget(buttons);

    masks_->load(list_);
    masks_->setLegendShown(context_.settings.getInt({}, kLegendModeValue, 1) != 0);
    masks_->setCaseMode(list_.caseMode());
    symbols_->load(context_.settings, rename::editedSymbolTable(context_.settings));
    cases_->load(list_.caseMode());

    connect(cases_, &CaseOptionPage::modeChosen, masks_, &MaskPage::setCaseMode);
    connect(defaults, &QPushButton::clicked, this, &MaskEditor::restoreDefaults);
    restoreDialogPlacement(*this, context_.settings, setup_.placementSection);
}

void MaskEditor::restoreDefaults() {
    QWidget* page = pages_->currentWidget();
    if (page == masks_)
        masks_->restoreDefaults();
    else if (page == symbols_)
        symbols_->restoreDefaults();
    else
        cases_->restoreDefaults();
    masks_->setCaseMode(cases_->mode());
}

void MaskEditor::accept() {
    if (masks_->hasUnsavedEdit()) {
        pages_->setCurrentWidget(masks_);
        switch (context_.port.askYesNoCancel(base::tr(ids::kMaskAskSaveEdited))) {
            case base::UserPort::Answer::Cancel:
                return;
            case base::UserPort::Answer::Yes:
                if (!masks_->save())
                    return;
                break;
            case base::UserPort::Answer::No:
                break;
        }
    }
    masks_->apply(list_);
    list_.setCaseMode(cases_->mode());
    symbols_->apply(context_.settings);
    context_.settings.setInt({}, kLegendModeValue, masks_->legendShown() ? 1 : 0);
    QDialog::accept();
}

void MaskEditor::done(int result) {
    saveDialogPlacement(*this, context_.settings, setup_.placementSection);
    QDialog::done(result);
}

}  // namespace tw::gui
