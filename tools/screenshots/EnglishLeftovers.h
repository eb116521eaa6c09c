#pragma once

#include <QSet>
#include <QString>
#include <QStringList>

class QWidget;

// Texts a window shows in English although the loaded language module translates them: the
// English texts of every entry the module words differently, less those the module itself uses;
// labels that show the file's own words are not looked at.
class EnglishLeftovers {
public:
    EnglishLeftovers();
    // Looks at the texts of a widget, its children, their actions and their items.
    void Walk(const QWidget& widget, const QString& where);
    const QStringList& Found() const { return found_; }

private:
    void Check(const QString& text, const QString& where);
    QSet<QString> english_;
    QStringList found_;
};
