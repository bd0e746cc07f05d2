#include "LD_Vocabulary.h"

namespace tarvel {

namespace {

std::vector<int> makeTextIDs() {
    std::vector<int> ids;
    auto range = [&](int first, int last) {
        for (int id = first; id <= last; ++id)
            ids.push_back(id);
    };
    range(1, 37);
    range(voShopA, voShopA + ShopTextCount - 1);
    range(voShopB, voShopB + ShopTextCount - 1);
    range(voShopC, voShopC + ShopTextCount - 1);
    range(voInnA, voInnA + InnTextCount - 1);
    range(voInnB, voInnB + InnTextCount - 1);
    for (int id : {92, 93, 95})
        ids.push_back(id);
    range(101, 108);
    for (int id : {110, 112, 114, 115, 117})
        ids.push_back(id);
    range(123, 140);
    range(146, 148);
    range(151, 153);
    return ids;
}

std::vector<int> run(int first, int count) {
    std::vector<int> ids;
    for (int i = 0; i < count; ++i)
        ids.push_back(first + i);
    return ids;
}

const std::string kNoText;

} // namespace

const std::vector<int>& TQelVocabulary::TextIDs() {
    static const std::vector<int> ids = makeTextIDs();
    return ids;
}

bool TQelVocabulary::IsTextID(int id) {
    static const std::array<bool, VocabularyMaxID + 1> known = [] {
        std::array<bool, VocabularyMaxID + 1> k{};
        for (int id : TextIDs())
            k[static_cast<size_t>(id)] = true;
        return k;
    }();
    return id >= 0 && id <= VocabularyMaxID && known[static_cast<size_t>(id)];
}

const std::string& TQelVocabulary::Text(int id) const {
    return IsTextID(id) ? mTexts[static_cast<size_t>(id)] : kNoText;
}

void TQelVocabulary::SetText(int id, const std::string& text) {
    if (IsTextID(id)) mTexts[static_cast<size_t>(id)] = text;
}

std::vector<int> TQelVocabulary::ShopStyleIDs(int n) {
    static const int firsts[3] = {voShopA, voShopB, voShopC};
    if (n < 0 || n > 2) return {};
    return run(firsts[n], ShopTextCount);
}

std::vector<int> TQelVocabulary::InnStyleIDs(int n) {
    static const int firsts[2] = {voInnA, voInnB};
    if (n < 0 || n > 1) return {};
    return run(firsts[n], InnTextCount);
}

std::vector<std::string> TQelVocabulary::ShopStyle(int n) const {
    std::vector<std::string> texts;
    for (int id : ShopStyleIDs(n))
        texts.push_back(Text(id));
    return texts;
}

std::vector<std::string> TQelVocabulary::InnStyle(int n) const {
    std::vector<std::string> texts;
    for (int id : InnStyleIDs(n))
        texts.push_back(Text(id));
    return texts;
}

void TQelVocabulary::DescribeField(int id, TCatalogVarData& v, bool) {
    // The texts are named by their chunk IDs; FieldNames gives those names.
    if (IsTextID(id)) v.String(&mTexts[static_cast<size_t>(id)], nullptr, false);
}

const std::vector<TFieldName>& TQelVocabulary::FieldNames() const {
    // Each text is named by its chunk ID.
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> k;
        for (int id : TextIDs())
            k.push_back(std::to_string(id));
        return k;
    }();
    static const std::vector<TFieldName> names = [] {
        std::vector<TFieldName> n;
        const auto& ids = TextIDs();
        for (size_t i = 0; i < ids.size(); ++i)
            n.push_back({ids[i], keys[i].c_str()});
        return n;
    }();
    return names;
}

} // namespace tarvel
