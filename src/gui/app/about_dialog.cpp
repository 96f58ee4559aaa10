// SPDX-License-Identifier: GPL-2.0-or-later
#include "gui/app/about_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/language.h"
#include "base/string_ids.h"
#include "gui/product.h"
#include "gui/qt_text.h"

namespace tw::gui {

namespace ids = base::ids;

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(text(ids::kAboutCaption));
    auto* layout = new QVBoxLayout(this);  // owned by this dialog, as are the labels

    auto addLine = [&](const QString& line) {
        auto* label = new QLabel(line, this);
        label->setTextFormat(Qt::PlainText);
        layout->addWidget(label);
        lines_.append(line);
        return label;
    };
    auto addLink = [&](const QString& target, const QString& shown) {
        auto* label = new QLabel(this);
        label->setTextFormat(Qt::RichText);
        label->setText(QStringLiteral("<a href=\"%1\">%2</a>")
                           .arg(target.toHtmlEscaped(), shown.toHtmlEscaped()));
        label->setOpenExternalLinks(true);
        layout->addWidget(label);
        lines_.append(shown);
    };
    QFont bold = font();
    bold.setBold(true);
    addLine(productName())->setFont(bold);
    addLine(textf(ids::kAboutVersion, utf8(productVersion())));
    addLine(textf(ids::kAboutTranslatedBy, base::LanguageAuthor()));
    addLink(productWebPage(), productWebPage());
    addLink(QStringLiteral("mailto:") + supportAddress(), supportAddress());

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    base::CommonButtonString ok;
    buttons->button(QDialogButtonBox::Ok)->setText(qs(ok.Load(ids::kButtonOk)));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

QStringList AboutDialog::lines() const {
    return lines_;
}

}  // namespace tw::gui
