// SPDX-License-Identifier: GPL-2.0-or-later
#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "export/file_name.h"
#include "export/template_export.h"

class QComboBox;

namespace tw::base {
class SettingsStore;
}

namespace tw::gui {

class ExportTarget;
class ShellPort;

// The first page of the export sheet for template exports: "Filename and Folder:" and
// "Template Information:" with "&Template:", a drop-down list of the templates of the
// sheet's kind (the program's and the user's, sorted by name).
//
// load() fills the list and selects the template chosen last time ("TemplateID2" for HTML,
// "TemplateID1" for RTF); a stored index beyond the list selects none, and the export then
// reports that no template could be read. apply() stores the index of the selected
// template (none selected keeps what was stored). Borrows the shell port; owns its widgets.
class CPropertyPageExportTemplate : public QWidget {
    Q_OBJECT
public:
    CPropertyPageExportTemplate(ShellPort& shell, exports::DocumentKind kind,
                                QWidget* parent = nullptr);

    void load(const base::SettingsStore& store, const std::string& folder);
    void apply(base::SettingsStore& store) const;

    ExportTarget& target() const { return *target_; }
    QComboBox& templates() const { return *templates_; }
    // What the template export needs: the chosen template (empty when none), folder, name.
    exports::TemplateExportRequest request() const;

private:
    exports::DocumentKind kind_;
    std::vector<std::string> names_;
    ExportTarget* target_;
    QComboBox* templates_;
};

}  // namespace tw::gui
