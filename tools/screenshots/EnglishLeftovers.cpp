#include "EnglishLeftovers.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QWidget>

#include "app/StringTable.h"
#include "gui/info/MeasurementInfoDialog.h"

namespace {

// A menu item's text is "text\ntip"; each part is shown on its own.
void AddLines(QSet<QString>& set, const std::string& text) {
    for (const QString& line : QString::fromStdString(text).split('\n'))
        if (!line.trimmed().isEmpty()) set.insert(line);
}

}  // namespace

EnglishLeftovers::EnglishLeftovers() {
    using varelo::Strings;
    const Strings& strings = Strings::Instance();
    const varelo::StringTable& english = strings.English();
    QSet<QString> translated;
    const auto take = [&](const std::string& englishText, const std::string& text) {
        AddLines(translated, text);
        if (text != englishText) AddLines(english_, englishText);
    };
    for (int id : english.Ids())
        take(*english.Find(id), strings.Text(id));
    for (const std::string& key : english.Keys())
        take(*english.Find(key), strings.Text(varelo::TextKey{key}));
    english_.subtract(translated);
}

void EnglishLeftovers::Check(const QString& text, const QString& where) {
    for (const QString& line : text.split('\n'))
        if (english_.contains(line)) found_ << where + ": \"" + line + "\"";
}

void EnglishLeftovers::Walk(const QWidget& widget, const QString& where) {
    QList<const QWidget*> widgets{&widget};
    for (const QWidget* child : widget.findChildren<QWidget*>())
        widgets << child;
    for (const QWidget* w : widgets) {
        const QString at =
            where + "/" +
            (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                       : w->objectName());
        if (w->property(varelo::kFileTextProperty).toBool()) continue;
        if (w->isWindow()) Check(w->windowTitle(), at);
        Check(w->toolTip(), at);
        if (auto* label = qobject_cast<const QLabel*>(w)) Check(label->text(), at);
        if (auto* button = qobject_cast<const QAbstractButton*>(w)) Check(button->text(), at);
        if (auto* box = qobject_cast<const QGroupBox*>(w)) Check(box->title(), at);
        if (auto* combo = qobject_cast<const QComboBox*>(w))
            for (int i = 0; i < combo->count(); ++i)
                Check(combo->itemText(i), at);
        if (auto* list = qobject_cast<const QListWidget*>(w))
            for (int i = 0; i < list->count(); ++i)
                Check(list->item(i)->text(), at);
        for (const QAction* action : w->actions()) {
            Check(action->text(), at);
            Check(action->toolTip(), at);
        }
    }
}
