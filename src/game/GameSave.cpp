#include "GameSave.h"

#include <deque>
#include <functional>
#include <map>

#include "Game.h"
#include "records/CatalogBase.h"
#include "records/Stream.h"

namespace tarvel::game {

const char* const SaveFileHeader = "TarvelSave";

// A record whose chunks are bound to variables by a description: saving writes them, loading reads
// into them. Every chunk is written, whatever its value, so a loaded game never keeps a value of
// the game it replaces. Values of other shapes go through stand-ins that are turned back after a
// load (Finish).
class TSaveRecord : public TCatalogBaseItem {
public:
    void DescribeField(int id, TCatalogVarData& v, bool) override {
        auto it = mFields.find(id);
        if (it == mFields.end()) return;
        const Field& f = it->second;
        switch (f.kind) {
        case vkInteger:
            v.Integer(static_cast<int32_t*>(f.data), NoDefaultInt, nullptr);
            break;
        case vkString:
            v.String(static_cast<std::string*>(f.data), nullptr, false);
            break;
        case vkBuffer: {
            auto* bytes = static_cast<std::vector<uint8_t>*>(f.data);
            v.Buffer(bytes, int32_t(bytes->size()), nullptr);
            break;
        }
        case vkList:
            v.List(static_cast<TStreamable*>(f.data), nullptr);
            break;
        default:
            v.Record(static_cast<TStreamable*>(f.data), nullptr);
            break;
        }
    }
    // The fields differ from record to record, so this writes them itself, each of them, in
    // ascending ID order; reading takes what the chunks say. Nothing is reset before a load: every
    // variable bound is written by every save.
    void SaveToStream(TMemoryStream& stream) const override {
        TMemoryStream nested;
        for (const auto& [id, f] : mFields) {
            WriteVarInt(stream, uint32_t(id));
            switch (f.kind) {
            case vkInteger:
                WriteVarInt(stream, *static_cast<const int32_t*>(f.data), true);
                break;
            case vkString:
                WriteVarString(stream, *static_cast<const std::string*>(f.data));
                break;
            case vkBuffer: {
                const auto& bytes = *static_cast<const std::vector<uint8_t>*>(f.data);
                WriteVarInt(stream, uint32_t(bytes.size()));
                stream.Write(bytes.data(), bytes.size());
                break;
            }
            default:
                nested.Clear();
                static_cast<const TStreamable*>(f.data)->SaveToStream(nested);
                WriteVarInt(stream, uint32_t(nested.Size()));
                stream.Write(nested.Data(), size_t(nested.Size()));
                break;
            }
        }
        stream.WriteByte(0);
    }
    void Reset() override {}

    void Int(int id, int32_t& v) { mFields[id] = {vkInteger, &v}; }
    void Int64(int id, int64_t& v) {
        auto& bytes = mBuffers.emplace_back();
        for (int i = 0; i < 8; ++i)
            bytes.push_back(uint8_t(uint64_t(v) >> (8 * i)));
        mFields[id] = {vkBuffer, &bytes};
        mFinish.push_back([&v, &bytes] {
            uint64_t value = 0;
            for (size_t i = 0; i < 8 && i < bytes.size(); ++i)
                value |= uint64_t(bytes[i]) << (8 * i);
            v = int64_t(value);
        });
    }
    void U64(int id, uint64_t& v) {
        auto& proxy = mInt64s.emplace_back(int64_t(v));
        Int64(id, proxy);
        mFinish.push_back([&v, &proxy] { v = uint64_t(proxy); });
    }
    void Bool(int id, bool& v) {
        auto& proxy = mInts.emplace_back(v ? 1 : 0);
        Int(id, proxy);
        mFinish.push_back([&v, &proxy] { v = proxy != 0; });
    }
    void Byte(int id, uint8_t& v) {
        auto& proxy = mInts.emplace_back(v);
        Int(id, proxy);
        mFinish.push_back([&v, &proxy] { v = uint8_t(proxy); });
    }
    void Str(int id, std::string& v) { mFields[id] = {vkString, &v}; }
    void Bytes(int id, std::vector<uint8_t>& v) { mFields[id] = {vkBuffer, &v}; }
    void Ints(int id, std::vector<int32_t>& v) {
        auto& bytes = mBuffers.emplace_back();
        for (int32_t x : v)
            for (int i = 0; i < 4; ++i)
                bytes.push_back(uint8_t(uint32_t(x) >> (8 * i)));
        mFields[id] = {vkBuffer, &bytes};
        mFinish.push_back([&v, &bytes] {
            v.assign(bytes.size() / 4, 0);
            for (size_t k = 0; k < v.size(); ++k)
                v[k] = int32_t(uint32_t(bytes[4 * k]) | uint32_t(bytes[4 * k + 1]) << 8 |
                               uint32_t(bytes[4 * k + 2]) << 16 | uint32_t(bytes[4 * k + 3]) << 24);
        });
    }
    template <size_t N>
    void IntArray(int id, std::array<int32_t, N>& a) {
        auto& proxy = mVectors.emplace_back(a.begin(), a.end());
        Ints(id, proxy);
        mFinish.push_back([&a, &proxy] {
            for (size_t i = 0; i < N; ++i)
                a[i] = i < proxy.size() ? proxy[i] : 0;
        });
    }
    // A record of the project's data, in its own encoding.
    void Stored(int id, TStreamable& record) { mFields[id] = {vkRecord, &record}; }
    // A record of its own, described by the function.
    void Sub(int id, std::function<void(TSaveRecord&)> describe) {
        mNested.push_back(std::make_unique<SubRecord>(std::move(describe)));
        mFields[id] = {vkRecord, static_cast<TStreamable*>(mNested.back().get())};
    }
    // A list of records: count, then each with its position (from 1) and record.
    void List(int id, std::function<size_t()> count, std::function<void(size_t)> resize,
              std::function<void(size_t, TSaveRecord&)> describe) {
        mNested.push_back(
            std::make_unique<ListRecords>(std::move(count), std::move(resize), std::move(describe)));
        mFields[id] = {vkList, static_cast<TStreamable*>(mNested.back().get())};
    }
    template <typename T>
    void Vector(int id, std::vector<T>& items, std::function<void(T&, TSaveRecord&)> describe) {
        List(
            id, [&items] { return items.size(); }, [&items](size_t n) { items.assign(n, T()); },
            [&items, describe](size_t i, TSaveRecord& r) { describe(items[i], r); });
    }

    // Stand-ins that live as long as the record, and work to do once it is read.
    std::vector<uint8_t>& OwnBytes(std::vector<uint8_t> bytes) {
        return mBuffers.emplace_back(std::move(bytes));
    }
    int32_t& OwnInt(int32_t value) { return mInts.emplace_back(value); }
    TGameRoute& OwnRoute(TGameRoute route) { return mRoutes.emplace_back(std::move(route)); }
    void OnFinish(std::function<void()> f) { mFinish.push_back(std::move(f)); }

    // Turns the stand-ins back into the variables after a load.
    void Finish() {
        for (auto& f : mFinish)
            f();
    }

private:
    struct Field {
        TVarKind kind = vkNone;
        void* data = nullptr;
    };
    class SubRecord : public TStreamable {
    public:
        explicit SubRecord(std::function<void(TSaveRecord&)> d) : mDescribe(std::move(d)) {}
        void SaveToStream(TMemoryStream& s) const override {
            TSaveRecord r;
            mDescribe(r);
            r.SaveToStream(s);
        }
        void LoadFromStream(TMemoryStream& s) override {
            TSaveRecord r;
            mDescribe(r);
            r.LoadFromStream(s);
            r.Finish();
        }
        void Reset() override {}

    private:
        std::function<void(TSaveRecord&)> mDescribe;
    };
    class ListRecords : public TStreamable {
    public:
        ListRecords(std::function<size_t()> c, std::function<void(size_t)> r,
                    std::function<void(size_t, TSaveRecord&)> d)
            : mCount(std::move(c)), mResize(std::move(r)), mDescribe(std::move(d)) {}
        void SaveToStream(TMemoryStream& s) const override {
            const size_t n = mCount();
            WriteVarInt(s, uint32_t(n));
            for (size_t i = 0; i < n; ++i) {
                WriteVarInt(s, uint32_t(i + 1));
                TSaveRecord r;
                mDescribe(i, r);
                r.SaveToStream(s);
            }
        }
        void LoadFromStream(TMemoryStream& s) override {
            const uint32_t n = ReadVarInt(s);
            // Every record takes at least two bytes: a count beyond that is a broken file.
            if (n > uint64_t(s.Remaining()) / 2) throw EReadError();
            mResize(n);
            for (size_t i = 0; i < n; ++i) {
                ReadVarInt(s);
                TSaveRecord r;
                mDescribe(i, r);
                r.LoadFromStream(s);
                r.Finish();
            }
        }
        void Reset() override {}

    private:
        std::function<size_t()> mCount;
        std::function<void(size_t)> mResize;
        std::function<void(size_t, TSaveRecord&)> mDescribe;
    };

    std::map<int, Field> mFields;
    std::deque<std::vector<uint8_t>> mBuffers;
    std::deque<int32_t> mInts;
    std::deque<int64_t> mInt64s;
    std::deque<std::vector<int32_t>> mVectors;
    std::deque<TGameRoute> mRoutes;
    std::vector<std::unique_ptr<TStreamable>> mNested;
    std::vector<std::function<void()>> mFinish;
};

// ---------------------------------------------------------------------------------------------

struct TFrameSave {
    int32_t kind = 0, mapID = 0, eventID = 0, page = 0, commonID = 0, pc = 0, thisEvent = 0;
    bool byDecide = false;
    std::string name;
};

struct TInterpreterSave {
    bool present = false;
    bool loop = false;
    int32_t wait = 0, waitFrames = 0, resumeResult = -1, headIndex = 0, pendingVariable = 0;
    std::vector<TFrameSave> frames;
};

struct TEventSave {
    int32_t id = 0, page = 0;
    bool erased = false, running = false;
    TGameCharacter character;
    TInterpreterSave parallel;
};

struct THeroSave {
    TGameHero hero;
    std::vector<int32_t> skills, conditions;
};

struct TSaveContent {
    TSaveSummary summary;
    int64_t frame = 0;
    int32_t mapID = 0;
    int32_t riding = -1;
    bool heroVisible = true;
    TGameCharacter hero;
    std::array<TGameCharacter, kVehicleCount> vehicles;
    std::vector<TGameHero> heroes;
    std::vector<int32_t> members;
    std::vector<int32_t> items; // ID and count, in pairs
    int32_t money = 0;
    std::vector<TEventSave> events;
    TInterpreterSave foreground;
    std::vector<TInterpreterSave> commons;
    std::vector<int32_t> chipReplacements; // layer, from and to, in threes
    TMessageStyle style;
    TMessageFace face;
    uint64_t random = 0;
    TGame::TPanorama panorama;
    int32_t encounterSteps = 25, stepsToEncounter = 0;
    int32_t cameraBaseX = 0, cameraBaseY = 0;
};

namespace {

std::vector<uint8_t> RouteBytes(const std::vector<TQelMoveRouteItem>& commands) {
    TMemoryStream stream;
    for (const TQelMoveRouteItem& c : commands)
        c.WriteCommand(stream);
    return stream.Bytes();
}

std::vector<TQelMoveRouteItem> RouteCommands(const std::vector<uint8_t>& bytes) {
    std::vector<TQelMoveRouteItem> commands;
    TMemoryStream stream(bytes);
    while (stream.Remaining() > 0) {
        TQelMoveRouteItem item;
        item.ReadCommand(stream);
        commands.push_back(item);
    }
    return commands;
}

void DescribeRoute(TSaveRecord& r, TGameRoute& route) {
    std::vector<uint8_t>& bytes = r.OwnBytes(RouteBytes(route.commands));
    r.Bytes(1, bytes);
    r.OnFinish([&route, &bytes] { route.commands = RouteCommands(bytes); });
    r.Bool(2, route.repeat);
    r.Bool(3, route.skippable);
    r.Int(4, route.index);
    r.Bool(5, route.inJump);
    r.Int(6, route.jumpDX);
    r.Int(7, route.jumpDY);
    r.Bool(8, route.done);
}

void DescribeSummary(TSaveRecord& r, TSaveSummary& s) {
    r.Str(1, s.leaderName);
    r.Int(2, s.leaderLevel);
    r.Int(3, s.mapID);
    r.Int(4, s.saveCount);
}

void DescribeGlide(TSaveRecord& r, int id, TGlide& g) {
    r.Sub(id, [&g](TSaveRecord& s) {
        s.Int(1, g.value);
        s.Int(2, g.target);
    });
}

} // namespace

void TGameSaver::describeCharacter(TSaveRecord& r, TGameCharacter& c) {
    r.Int(1, c.mX);
    r.Int(2, c.mY);
    r.Int(3, c.mRealX);
    r.Int(4, c.mRealY);
    r.Int(5, c.mDirection);
    r.Int(6, c.mPattern);
    r.Int(7, c.mStandPattern);
    r.Int(8, c.mAnimCounter);
    r.Int(9, c.mAnimStep);
    r.Int(10, c.mSpeed);
    r.Int(11, c.mFrequency);
    r.Int(12, c.mAnimType);
    r.Bool(13, c.mThrough);
    r.Bool(14, c.mDirectionFixed);
    r.Bool(15, c.mAnimationStopped);
    r.Int(16, c.mTransparency);
    r.Str(17, c.mCharName);
    r.Int(18, c.mCharIndex);
    r.Int(19, c.mLayer);
    r.Int(20, c.mStopCount);
    r.Int(21, c.mWaitCount);
    r.Int(22, c.mJumpFrames);
    r.Int(23, c.mJumpLength);
    r.Int(24, c.mJumpStartX);
    r.Int(25, c.mJumpStartY);
    r.Int(26, c.mJumpPeak);
    r.Int(27, c.mSavedFrequency);
    // A route set by a script: whether there is one, then the route.
    int32_t& forced = r.OwnInt(c.mForced.has_value() ? 1 : 0);
    TGameRoute& route = r.OwnRoute(c.mForced ? *c.mForced : TGameRoute());
    r.Int(28, forced);
    r.Sub(29, [&route](TSaveRecord& s) { DescribeRoute(s, route); });
    r.OnFinish([&c, &forced, &route] {
        if (forced)
            c.mForced = route;
        else
            c.mForced.reset();
    });
    r.Sub(30, [&c](TSaveRecord& s) { DescribeRoute(s, c.mOwnRoute); });
    r.Bool(31, c.mFollowsOwnRoute);
    r.Int(32, c.mFlashRed);
    r.Int(33, c.mFlashGreen);
    r.Int(34, c.mFlashBlue);
    r.Int(35, c.mFlashStrength);
    r.Int(36, c.mFlashFrames);
    r.Int(37, c.mFlashLength);
}

void TGameSaver::describeInterpreter(TSaveRecord& r, TInterpreterSave& in) {
    r.Bool(1, in.present);
    r.Int(2, in.wait);
    r.Int(3, in.waitFrames);
    r.Int(4, in.resumeResult);
    r.Int(5, in.headIndex);
    r.Int(6, in.pendingVariable);
    r.Bool(8, in.loop);
    r.Vector<TFrameSave>(7, in.frames, [](TFrameSave& f, TSaveRecord& s) {
        s.Int(1, f.kind);
        s.Int(2, f.mapID);
        s.Int(3, f.eventID);
        s.Int(4, f.page);
        s.Int(5, f.commonID);
        s.Int(6, f.pc);
        s.Int(7, f.thisEvent);
        s.Bool(8, f.byDecide);
        s.Str(9, f.name);
    });
}

void TGameSaver::describeScreen(TSaveRecord& r, TGameScreen& s) {
    r.Int(1, s.mTone.red);
    r.Int(2, s.mTone.green);
    r.Int(3, s.mTone.blue);
    r.Int(4, s.mTone.saturation);
    r.Int(5, s.mToneTarget.red);
    r.Int(6, s.mToneTarget.green);
    r.Int(7, s.mToneTarget.blue);
    r.Int(8, s.mToneTarget.saturation);
    r.IntArray(9, s.mToneFine);
    r.Int(10, s.mToneFrames);
    r.Int(11, s.mFlashRed);
    r.Int(12, s.mFlashGreen);
    r.Int(13, s.mFlashBlue);
    r.Int(14, s.mFlashStrength);
    r.Int(15, s.mFlashFrames);
    r.Int(16, s.mFlashLength);
    r.Int(17, s.mShakePower);
    r.Int(18, s.mShakeSpeed);
    r.Int(19, s.mShakeFrames);
    r.Int(20, s.mShakeOffset);
    r.Int(21, s.mShakeDirection);
    r.Int(22, s.mWeather);
    r.Int(23, s.mWeatherStrength);
    r.Bool(24, s.mPanLocked);
    r.Int(25, s.mPanX);
    r.Int(26, s.mPanY);
    r.Int(27, s.mPanTargetX);
    r.Int(28, s.mPanTargetY);
    r.Int(29, s.mPanSpeed);
    r.Bool(30, s.mErased);
    r.Int64(31, s.mTicks);
    r.List(
        32, [] { return size_t(kPictureCount); }, [](size_t) {},
        [&s](size_t i, TSaveRecord& p) {
            if (i >= size_t(kPictureCount)) return;
            TGamePicture& pic = s.mPictures[i];
            p.Bool(1, pic.shown);
            p.Str(2, pic.name);
            p.Bool(3, pic.scrolls);
            p.Bool(4, pic.useKey);
            p.Int(5, pic.effect);
            DescribeGlide(p, 6, pic.x);
            DescribeGlide(p, 7, pic.y);
            DescribeGlide(p, 8, pic.zoom);
            DescribeGlide(p, 9, pic.transparency);
            DescribeGlide(p, 10, pic.red);
            DescribeGlide(p, 11, pic.green);
            DescribeGlide(p, 12, pic.blue);
            DescribeGlide(p, 13, pic.saturation);
            DescribeGlide(p, 14, pic.effectPower);
            p.Int(15, pic.moveFrames);
            p.Int(16, pic.phase);
            p.Int(17, pic.viewX);
            p.Int(18, pic.viewY);
        });
    r.Sub(33, [&s](TSaveRecord& a) {
        TMapAnimation& m = s.mAnimation;
        a.Bool(1, m.active);
        a.Int(2, m.animationID);
        a.Int(3, m.target);
        a.Bool(4, m.global);
        a.Int(5, m.frame);
        a.Int(6, m.tick);
    });
}

void TGameSaver::describe(TSaveRecord& r, TGameState& state, TGameScreen& screen, TSaveContent& c) {
    r.Sub(1, [&c](TSaveRecord& s) { DescribeSummary(s, c.summary); });
    r.Int64(2, c.frame);
    r.Int(3, c.mapID);
    r.Int(4, c.riding);
    r.Bool(5, c.heroVisible);
    r.Sub(6, [&c](TSaveRecord& s) { describeCharacter(s, c.hero); });
    r.List(
        7, [] { return size_t(kVehicleCount); }, [](size_t) {},
        [&c](size_t i, TSaveRecord& s) {
            if (i < size_t(kVehicleCount)) describeCharacter(s, c.vehicles[i]);
        });
    r.Bytes(10, state.switches);
    r.Ints(11, state.variables);
    r.Int(12, c.money);
    r.Ints(13, c.items);
    r.Ints(14, c.members);
    r.Vector<TGameHero>(15, c.heroes, [](TGameHero& h, TSaveRecord& s) {
        s.Int(1, h.id);
        s.Str(2, h.name);
        s.Str(3, h.title);
        s.Str(4, h.charName);
        s.Int(5, h.charIndex);
        s.Bool(6, h.charTransparent);
        s.Str(7, h.faceName);
        s.Int(8, h.faceIndex);
        s.Int(9, h.level);
        s.Int(10, h.exp);
        s.Int(11, h.hp);
        s.Int(12, h.mp);
        s.IntArray(13, h.bonus);
        s.IntArray(14, h.equipment);
        s.Ints(15, h.skills);
        s.Ints(16, h.conditions);
    });
    r.Sub(20, [&state](TSaveRecord& s) {
        s.Int(1, state.timer.frames);
        s.Bool(2, state.timer.running);
        s.Bool(3, state.timer.visible);
        s.Bool(4, state.timer.inBattle);
    });
    r.Int(21, state.saveCount);
    r.Int(22, state.battleCount);
    r.Int(23, state.victoryCount);
    r.Int(24, state.defeatCount);
    r.Int(25, state.escapeCount);
    r.List(
        26, [] { return size_t(8); }, [](size_t) {},
        [&state](size_t i, TSaveRecord& s) {
            if (i < 8) s.Stored(1, state.systemMusic[i]);
        });
    r.List(
        27, [] { return size_t(SystemSoundCount); }, [](size_t) {},
        [&state](size_t i, TSaveRecord& s) {
            if (i < size_t(SystemSoundCount)) s.Stored(1, state.systemSounds[i]);
        });
    r.List(
        28, [] { return size_t(SystemTransitionCount); }, [](size_t) {},
        [&state](size_t i, TSaveRecord& s) {
            if (i < size_t(SystemTransitionCount)) s.Byte(1, state.transitions[i]);
        });
    r.Str(29, state.systemGraphic);
    r.Int(30, state.wallpaper);
    r.Int(31, state.font);
    r.List(
        32, [] { return size_t(kVehicleCount); }, [](size_t) {},
        [&state](size_t i, TSaveRecord& s) {
            if (i >= size_t(kVehicleCount)) return;
            TVehicleState& v = state.vehicles[i];
            s.Int(1, v.mapID);
            s.Int(2, v.x);
            s.Int(3, v.y);
            s.Int(4, v.direction);
            s.Str(5, v.charName);
            s.Int(6, v.charIndex);
        });
    r.Bool(33, state.saveAllowed);
    r.Bool(34, state.menuAllowed);
    r.Bool(35, state.teleportAllowed);
    r.Bool(36, state.escapeAllowed);
    auto place = [](TTeleportPlace& p, TSaveRecord& s) {
        s.Int(1, p.mapID);
        s.Int(2, p.x);
        s.Int(3, p.y);
        s.Bool(4, p.switchOn);
        s.Int(5, p.switchID);
    };
    r.Vector<TTeleportPlace>(37, state.teleportPlaces, place);
    r.Sub(38, [&state, place](TSaveRecord& s) { place(state.escapePlace, s); });
    r.Stored(39, state.music);
    r.Stored(40, state.memorizedMusic);
    r.Sub(50, [&screen](TSaveRecord& s) { describeScreen(s, screen); });
    r.Vector<TEventSave>(60, c.events, [](TEventSave& e, TSaveRecord& s) {
        s.Int(1, e.id);
        s.Int(2, e.page);
        s.Bool(3, e.erased);
        s.Bool(4, e.running);
        s.Sub(5, [&e](TSaveRecord& t) { describeCharacter(t, e.character); });
        s.Sub(6, [&e](TSaveRecord& t) { describeInterpreter(t, e.parallel); });
    });
    r.Sub(61, [&c](TSaveRecord& s) { describeInterpreter(s, c.foreground); });
    r.Vector<TInterpreterSave>(62, c.commons,
                               [](TInterpreterSave& in, TSaveRecord& s) { describeInterpreter(s, in); });
    r.Ints(63, c.chipReplacements);
    r.Sub(64, [&c](TSaveRecord& s) {
        s.Bool(1, c.style.transparent);
        s.Int(2, c.style.position);
        s.Bool(3, c.style.autoPosition);
        s.Bool(4, c.style.eventsWait);
        s.Str(5, c.face.name);
        s.Int(6, c.face.index);
        s.Bool(7, c.face.right);
        s.Bool(8, c.face.mirrored);
    });
    r.U64(65, c.random);
    r.Sub(66, [&c](TSaveRecord& s) {
        TGame::TPanorama& p = c.panorama;
        s.Bool(1, p.use);
        s.Str(2, p.name);
        s.Bool(3, p.horzLoop);
        s.Bool(4, p.vertLoop);
        s.Bool(5, p.horzAuto);
        s.Bool(6, p.vertAuto);
        s.Int(7, p.horzSpeed);
        s.Int(8, p.vertSpeed);
        s.Int(9, p.scrollX);
        s.Int(10, p.scrollY);
    });
    r.Int(67, c.encounterSteps);
    r.Int(68, c.stepsToEncounter);
    r.Int(69, c.cameraBaseX);
    r.Int(70, c.cameraBaseY);
}

// ---------------------------------------------------------------------------------------------

TInterpreterSave TGameSaver::captureInterpreter(const TGameInterpreter& in) {
    TInterpreterSave s;
    s.present = true;
    s.wait = int32_t(in.mWait);
    s.waitFrames = in.mWaitFrames;
    s.resumeResult = in.mResumeResult;
    s.headIndex = in.mHeadIndex;
    s.pendingVariable = in.mPendingVariable;
    s.loop = in.mLoop;
    for (const TInterpreterFrame& f : in.mStack) {
        TFrameSave fs;
        fs.kind = f.owner.kind;
        fs.mapID = f.owner.mapID;
        fs.eventID = f.owner.eventID;
        fs.page = f.owner.page;
        fs.commonID = f.owner.commonID;
        fs.name = f.owner.name;
        fs.pc = f.pc;
        fs.thisEvent = f.thisEvent;
        fs.byDecide = f.byDecide;
        s.frames.push_back(fs);
    }
    return s;
}

void TGameSaver::capture(const TGame& game, TSaveContent& c) {
    const TGameState& state = game.mState;
    const TGameParty& party = state.party;
    if (!party.Members().empty()) {
        auto it = party.Heroes().find(party.Members().front());
        if (it != party.Heroes().end()) {
            c.summary.leaderName = it->second.name;
            c.summary.leaderLevel = it->second.level;
        }
    }
    c.summary.mapID = game.mMap ? game.mMap->ID() : 0;
    c.summary.saveCount = state.saveCount;
    c.frame = game.mFrame;
    c.mapID = c.summary.mapID;
    c.riding = game.mRiding;
    c.heroVisible = game.mHeroVisible;
    c.hero = game.mHero;
    c.vehicles = game.mVehicles;
    for (const auto& [id, hero] : party.Heroes())
        c.heroes.push_back(hero);
    c.members = party.Members();
    for (const auto& [id, count] : party.Items()) {
        c.items.push_back(id);
        c.items.push_back(count);
    }
    c.money = party.Money();
    if (game.mMap)
        for (const auto& event : game.mMap->Events()) {
            TEventSave e;
            e.id = event->ID();
            e.page = event->Page();
            e.erased = event->Erased();
            e.running = event->Running();
            e.character = *event;
            if (event->Parallel()) e.parallel = captureInterpreter(*event->Parallel());
            c.events.push_back(std::move(e));
        }
    c.foreground = captureInterpreter(*game.mForeground);
    for (const auto& in : game.mCommonParallels)
        c.commons.push_back(captureInterpreter(*in));
    for (const auto& r : game.mChipReplacements)
        c.chipReplacements.insert(c.chipReplacements.end(), r.begin(), r.end());
    c.style = game.mMessageStyle;
    c.face = game.mMessageFace;
    c.random = const_cast<TGame&>(game).mRandom.State();
    c.panorama = game.mPanorama;
    c.encounterSteps = game.mEncounterSteps;
    c.stepsToEncounter = game.mStepsToEncounter;
    c.cameraBaseX = game.mCameraBaseX;
    c.cameraBaseY = game.mCameraBaseY;
}

std::vector<uint8_t> TGameSaver::Save(const TGame& game) {
    TSaveContent content;
    capture(game, content);
    TGameState& state = const_cast<TGameState&>(game.mState);
    TGameScreen& screen = const_cast<TGameScreen&>(game.mScreen);
    TSaveRecord record;
    describe(record, state, screen, content);
    TMemoryStream stream;
    WriteVarString(stream, SaveFileHeader);
    record.SaveToStream(stream);
    return stream.Bytes();
}

bool ReadSaveSummary(const std::vector<uint8_t>& bytes, TSaveSummary& summary) {
    try {
        TMemoryStream stream(bytes);
        if (ReadVarString(stream) != SaveFileHeader) return false;
        // The summary is the record's first chunk.
        if (ReadVarInt(stream) != 1) return false;
        const uint32_t length = ReadVarInt(stream);
        if (length > uint64_t(stream.Remaining())) return false;
        TSaveRecord record;
        DescribeSummary(record, summary);
        record.LoadFromStream(stream);
        record.Finish();
        return true;
    } catch (const std::exception&) {
        return false;
    }
}

bool TGameSaver::restoreInterpreter(TGame& game, TGameInterpreter& in, const TInterpreterSave& saved) {
    in.Clear();
    if (!saved.present) return false;
    std::map<int32_t, std::unique_ptr<TQelMap>> otherMaps;
    for (const TFrameSave& f : saved.frames) {
        TInterpreterFrame frame;
        frame.owner = TScriptOwner{f.kind, f.mapID, f.eventID, f.page, f.commonID, f.name};
        frame.pc = f.pc;
        frame.thisEvent = f.thisEvent;
        frame.byDecide = f.byDecide;
        if (f.kind == TScriptOwner::CommonEvent) {
            frame.script = game.mData.CommonEventScript(f.commonID);
        } else if (game.mMap && f.mapID == game.mMap->ID()) {
            if (TGameEvent* event = game.mMap->EventByID(f.eventID))
                frame.script = event->PageScriptOf(f.page);
        } else {
            // A script of the map the party left while it ran.
            std::string error;
            auto& map = otherMaps[f.mapID];
            if (!map) map = game.mData.LoadMap(f.mapID, error);
            if (map)
                if (TQelEventItem* event = map->Events.Find(f.eventID))
                    if (TQelEventPageItem* page = event->Pages.Find(f.page))
                        frame.script = MakeScript(page->Script);
        }
        // A script the project no longer has ends there.
        if (!frame.script) break;
        in.mStack.push_back(std::move(frame));
    }
    in.mWait = TWait(saved.wait);
    in.mWaitFrames = saved.waitFrames;
    in.mResumeResult = saved.resumeResult;
    in.mHeadIndex = saved.headIndex;
    in.mPendingVariable = saved.pendingVariable;
    if (saved.loop && !in.mStack.empty()) {
        in.mLoop = true;
        in.mLoopStart = in.mStack.front();
        in.mLoopStart.pc = 0;
    }
    // What waited on a window or a scene that is not there after a load goes on.
    if (in.mWait == TWait::Message || in.mWait == TWait::Choice || in.mWait == TWait::Number ||
        in.mWait == TWait::Teleport || in.mWait == TWait::Battle || in.mWait == TWait::Scene)
        in.mWait = TWait::None;
    return true;
}

bool TGameSaver::Load(TGame& game, const std::vector<uint8_t>& bytes) {
    TSaveContent c;
    TGameState state(game.DataBase());
    state.NewGame(game.DataBase());
    TGameScreen screen;
    try {
        TMemoryStream stream(bytes);
        if (ReadVarString(stream) != SaveFileHeader) return false;
        TSaveRecord record;
        describe(record, state, screen, c);
        record.LoadFromStream(stream);
        record.Finish();
    } catch (const std::exception&) {
        return false;
    }
    std::string error;
    if (!game.MapExists(c.mapID, error)) return false;

    // The state first: pages depend on it.
    game.mForeground->Clear();
    game.mMessage.Close();
    game.mTeleport.reset();
    game.mSceneWaiter = nullptr;
    game.mState = state;
    TGameParty& party = game.mState.party;
    party.Heroes().clear();
    for (const TGameHero& hero : c.heroes)
        party.Heroes()[hero.id] = hero;
    party.Members() = c.members;
    party.Items().clear();
    for (size_t i = 0; i + 1 < c.items.size(); i += 2)
        party.Items()[c.items[i]] = c.items[i + 1];
    party.SetMoney(c.money);
    game.mState.Touch();
    game.mScreen = screen;
    game.mRiding = c.riding;
    game.mHeroVisible = c.heroVisible;
    game.mMessageStyle = c.style;
    game.mMessageFace = c.face;
    game.mRandom.SetState(c.random);
    game.mFrame = c.frame;
    game.mScene = TScene::Map;

    const TGameScreen keep = game.mScreen;
    game.enterMap(c.mapID, c.hero.X(), c.hero.Y(), c.hero.Direction());
    game.mScreen = keep;
    if (!game.mMap) return false;
    for (size_t i = 0; i + 2 < c.chipReplacements.size(); i += 3)
        game.ReplaceChip(c.chipReplacements[i], c.chipReplacements[i + 1], c.chipReplacements[i + 2]);
    game.mPanorama = c.panorama;
    game.mEncounterSteps = c.encounterSteps;
    game.mStepsToEncounter = c.stepsToEncounter;

    game.mHero = TGameHeroCharacter();
    static_cast<TGameCharacter&>(game.mHero) = c.hero;
    game.mHero.SetWorld(&game);
    for (int v = 0; v < kVehicleCount; ++v) {
        game.mVehicles[size_t(v)] = c.vehicles[size_t(v)];
        game.mVehicles[size_t(v)].SetWorld(&game);
    }
    for (TEventSave& e : c.events) {
        TGameEvent* event = game.mMap->EventByID(e.id);
        if (!event) continue;
        const int oldX = event->X(), oldY = event->Y();
        event->SetErased(false);
        event->SetPage(e.page);
        static_cast<TGameCharacter&>(*event) = e.character;
        event->SetWorld(&game);
        event->SetErased(e.erased);
        event->SetRunning(e.running);
        game.mMap->EventMoved(*event, oldX, oldY);
        if (e.parallel.present) {
            auto parallel = std::make_unique<TGameInterpreter>(game, false);
            restoreInterpreter(game, *parallel, e.parallel);
            event->SetParallel(std::move(parallel));
        }
    }
    // Pages are taken as they were saved; they are looked at again when the state next changes.
    game.mSeenVersion = game.mState.version;
    game.mSeenPartyVersion = game.mState.party.Version();
    game.mSeenTimer = game.mState.timer.running ? game.mState.timer.Seconds() : -1;
    restoreInterpreter(game, *game.mForeground, c.foreground);
    game.refreshCommonParallels();
    for (size_t i = 0; i < c.commons.size() && i < game.mCommonParallels.size(); ++i)
        restoreInterpreter(game, *game.mCommonParallels[i], c.commons[i]);
    game.mCameraBaseX = c.cameraBaseX;
    game.mCameraBaseY = c.cameraBaseY;
    game.updateCamera();
    game.mSound.PlayMusic(game.mState.music);
    game.mInput.Clear();
    return true;
}

// ---------------------------------------------------------------------------------------------

std::vector<uint8_t> TGame::SaveBytes() const {
    return TGameSaver::Save(*this);
}

bool TGame::LoadBytes(const std::vector<uint8_t>& bytes) {
    return TGameSaver::Load(*this, bytes);
}

bool TGame::SaveGame(int slot) {
    ++mState.saveCount;
    if (mSaves.Write(slot, SaveBytes())) return true;
    --mState.saveCount;
    return false;
}

bool TGame::LoadGame(int slot) {
    std::vector<uint8_t> bytes;
    return mSaves.Read(slot, bytes) && LoadBytes(bytes);
}

} // namespace tarvel::game
