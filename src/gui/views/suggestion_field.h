#pragma once

#include <QStringList>
#include <QWidget>

class QComboBox;
class QToolButton;

namespace tw::gui {

// A field of the tag tabs: an editable drop-down of suggestions, with a clear button unless
// asked otherwise.
//
// `edited` reports only what the user does (typing, choosing a suggestion, clearing);
// texts the program shows through showText() stay silent. Owns its child widgets.
class SuggestionField : public QWidget {
    Q_OBJECT
public:
    enum class ClearButton { Shown, None };

    explicit SuggestionField(ClearButton clearButton, QWidget* parent = nullptr);

    QString text() const;
    // Shows `text` without reporting it; a text already shown stays untouched, so the
    // cursor of a field being typed in does not jump.
    void showText(const QString& text);
    // Replaces the drop-down list; the shown text stays.
    void setSuggestions(const QStringList& suggestions);
    QStringList suggestions() const;

    QComboBox& comboBox() const { return *combo_; }
    QToolButton* clearButton() const { return clear_; }

Q_SIGNALS:
    void edited(const QString& text);

private:
    QComboBox* combo_;
    QToolButton* clear_ = nullptr;
};

}  // namespace tw::gui
