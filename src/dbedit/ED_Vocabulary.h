#pragma once

// "Vocabulary": every text the game shows, on five sub-pages of labelled groups.

#include <QWidget>
#include <map>
#include <variant>
#include <vector>

#include "DataBaseBase.h"

class QLineEdit;
class QTabWidget;

namespace tarvel {

class TQelVocabulary;

// One text of the vocabulary and its label.
struct TVocabularyText {
    int id;
    const char* label;
};
// A labelled group of texts, laid out in one or more columns of label and text.
struct TVocabularyGroup {
    const char* caption;
    std::vector<TVocabularyText> texts;
    int columns = 1;
};
// Groups that hold the same texts in several styles (the shops, the inns): one row per text, one
// column per style; a style's texts follow each other from its first ID.
struct TVocabularyStyles {
    const char* caption;
    std::vector<const char*> styles;
    std::vector<int> firstIDs;
    std::vector<const char*> rows;
};
using TVocabularySection = std::variant<TVocabularyGroup, TVocabularyStyles>;
// Sections side by side in a row; rows one below the other.
using TVocabularyLayout = std::vector<std::vector<TVocabularySection>>;

// A sub-page: its sections with one line edit per text. Each edit goes straight into the
// vocabulary record and is reported through OnModified.
class TFormEDVocabPage : public QWidget {
    Q_OBJECT
public:
    TFormEDVocabPage(QWidget* parent, TQelVocabulary& vocabulary, const TVocabularyLayout& layout);
    // Fills every line edit from the record.
    void Load();
    // The line edit of a text ID, or nullptr when the page does not show it.
    QLineEdit* Edit(int id) const;
    std::function<void()> OnModified;

private:
    QLineEdit* addEdit(QWidget* parent, int id);

    TQelVocabulary& mVocabulary;
    std::map<int, QLineEdit*> mEdits;
    bool mLoading = false;
};

// Battle messages 1 and 2, 3 and 4, the shops, the inns with items and the save screen, the
// commands with the abilities and equipment.
class TFormEDVocabPage1 : public TFormEDVocabPage {
    Q_OBJECT
public:
    TFormEDVocabPage1(QWidget* parent, TQelVocabulary& vocabulary);
};
class TFormEDVocabPage2 : public TFormEDVocabPage {
    Q_OBJECT
public:
    TFormEDVocabPage2(QWidget* parent, TQelVocabulary& vocabulary);
};
class TFormEDVocabPage3 : public TFormEDVocabPage {
    Q_OBJECT
public:
    TFormEDVocabPage3(QWidget* parent, TQelVocabulary& vocabulary);
};
class TFormEDVocabPage4 : public TFormEDVocabPage {
    Q_OBJECT
public:
    TFormEDVocabPage4(QWidget* parent, TQelVocabulary& vocabulary);
};
class TFormEDVocabPage5 : public TFormEDVocabPage {
    Q_OBJECT
public:
    TFormEDVocabPage5(QWidget* parent, TQelVocabulary& vocabulary);
};

// The page of the database window: the five sub-pages in tabs; the chosen sub-page is kept for
// the rest of the run.
class TFormEDVocabulary : public TFormDataBaseBase {
    Q_OBJECT
public:
    static constexpr int SubPageCount = 5;

    TFormEDVocabulary(QWidget* parent, TQelDataBase& dataBase);
    ~TFormEDVocabulary() override;

    void Start() override;
    QTabWidget* SubPages() const { return mTabs; }
    TFormEDVocabPage* SubPage(int index) const { return mPages[index]; }
    // The line edit of a text ID on whichever sub-page shows it.
    QLineEdit* Edit(int id) const;

private:
    QTabWidget* mTabs;
    TFormEDVocabPage* mPages[SubPageCount] = {};
};

} // namespace tarvel
