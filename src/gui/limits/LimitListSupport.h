#pragma once

#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "evaluation/LimitEditor/LimitEditorText.h"
#include "evaluation/LimitEditor/LimitItemLists.h"

class QLineEdit;
class QListWidget;
class QWidget;

namespace varelo {

class UserInterface;

// Fills a list widget with the items' texts and selects row (none for -1).
void FillLimitList(QListWidget& list, const std::vector<LimitItem>& items, int digits, int row);
void FillLimitList(QListWidget& list, const std::vector<std::string>& texts, int row);
// A refused check: its message, then the focus on the field named by the check.
void ShowLimitCheck(UserInterface& ui, const LimitCheck& check,
                    const std::vector<QWidget*>& fields);

}  // namespace varelo
