#pragma once

// The tabs of the database window, in the order of the tab row: caption, help context and the
// function that makes the tab's page.

#include <memory>

class QWidget;

namespace tarvel {

class TFormDataBaseBase;
class TQelDataBase;

using TDataBasePagePtr = std::unique_ptr<TFormDataBaseBase>;

struct TDataBaseTab {
    const char* Caption;
    int HelpContext;
    TDataBasePagePtr (*CreatePage)(QWidget* parent, TQelDataBase& dataBase);
};

constexpr int DataBaseTabCount = 13;
const TDataBaseTab& DataBaseTab(int index);

// The page function of a page class whose constructor takes (parent, database).
template <typename Page>
TDataBasePagePtr MakeDataBasePage(QWidget* parent, TQelDataBase& dataBase) {
    return std::make_unique<Page>(parent, dataBase);
}

} // namespace tarvel
