#include "gui/limits/LimitListSupport.h"

#include <QLineEdit>
#include <QListWidget>

#include "app/UserInterface.h"
#include "gui/app/QtText.h"

namespace varelo {

void FillLimitList(QListWidget& list, const std::vector<LimitItem>& items, int digits, int row) {
    std::vector<std::string> texts;
    for (const LimitItem& item : items)
        texts.push_back(LimitItemText(item, digits));
    FillLimitList(list, texts, row);
}

void FillLimitList(QListWidget& list, const std::vector<std::string>& texts, int row) {
    list.clear();
    for (const std::string& text : texts)
        list.addItem(Q(text));
    list.setCurrentRow(row);
}

void ShowLimitCheck(UserInterface& ui, const LimitCheck& check,
                    const std::vector<QWidget*>& fields) {
    ui.ShowMessage(check.message, check.text, MessageIcon::Warning);
    if (check.field >= 0 && check.field < int(fields.size()) && fields[size_t(check.field)]) {
        fields[size_t(check.field)]->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(fields[size_t(check.field)])) edit->selectAll();
    }
}

}  // namespace varelo
