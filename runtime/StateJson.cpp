#include "StateJson.h"

#include <QJsonArray>

namespace tarvel::runtime {

namespace {

QString Text(const std::string& s) {
    return QString::fromUtf8(s.data(), int(s.size()));
}

const char* SceneWord(game::TScene scene) {
    switch (scene) {
    case game::TScene::Title:
        return "title";
    case game::TScene::Map:
        return "map";
    case game::TScene::Menu:
        return "menu";
    case game::TScene::Save:
        return "save";
    case game::TScene::Load:
        return "load";
    case game::TScene::Battle:
        return "battle";
    case game::TScene::GameOver:
        return "gameover";
    case game::TScene::Shop:
        return "shop";
    case game::TScene::Inn:
        return "inn";
    case game::TScene::NameEntry:
        return "name";
    case game::TScene::Ended:
        return "ended";
    }
    return "";
}

} // namespace

QJsonObject GameStateJson(const game::TGame& game) {
    const game::TGameState& state = game.State();
    const TQelDataBase& db = game.DataBase();
    const game::TGameMap* map = game.Map();
    QJsonObject o;
    o["frame"] = double(game.Frame());
    o["scene"] = SceneWord(game.Scene());
    o["map"] = map ? map->ID() : 0;
    o["x"] = game.Hero().X();
    o["y"] = game.Hero().Y();
    o["direction"] = game.Hero().Direction();

    QJsonObject switches, variables;
    // Every ID the database names, and any beyond that a script used.
    const int32_t switchCount = std::max(db.Switches().Count(), state.SwitchCount());
    for (int32_t id = 1; id <= switchCount; ++id)
        switches[QString::number(id)] = state.Switch(id);
    const int32_t variableCount = std::max(db.Variables().Count(), state.VariableCount());
    for (int32_t id = 1; id <= variableCount; ++id)
        variables[QString::number(id)] = state.Variable(id);
    o["switches"] = switches;
    o["variables"] = variables;
    o["money"] = state.party.Money();
    QJsonObject items;
    for (const auto& [id, count] : state.party.Items())
        items[QString::number(id)] = count;
    o["items"] = items;
    QJsonArray party;
    for (int32_t id : state.party.Members())
        party.append(id);
    o["party"] = party;

    const game::TGameMessage& message = game.Message();
    o["message"] = message.Visible() ? QJsonValue(Text(message.Text())) : QJsonValue(QJsonValue::Null);
    if (message.Visible() && message.Choosing()) {
        QJsonArray choices;
        for (const std::string& c : message.Choices())
            choices.append(Text(c));
        o["choices"] = choices;
    } else {
        o["choices"] = QJsonValue(QJsonValue::Null);
    }

    QJsonArray events;
    if (map)
        for (const auto& event : map->Events()) {
            QJsonObject e;
            e["id"] = event->ID();
            e["x"] = event->X();
            e["y"] = event->Y();
            e["page"] = event->Page();
            events.append(e);
        }
    o["events"] = events;
    o["music"] = Text(state.music.FileName);
    o["riding"] = game.Riding();
    QJsonArray notices;
    for (const std::string& n : game.Notices())
        notices.append(Text(n));
    o["notices"] = notices;
    return o;
}

} // namespace tarvel::runtime
