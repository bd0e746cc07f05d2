#include "Package.h"

#include <filesystem>
#include <stdexcept>

#include "Characters.h"
#include "Midi.h"
#include "Movie.h"
#include "PictureFile.h"
#include "Scenes.h"
#include "Sounds.h"
#include "records/Stream.h"

namespace tarvel::rtp {

const std::vector<std::string>& MaterialFolderNames() {
    static const std::vector<std::string> names = {"Backdrop", "Battle",  "CharSet", "ChipSet", "FaceSet",
                                                   "GameOver", "Monster", "Movie",   "Music",   "Panorama",
                                                   "Picture",  "Sound",   "System",  "Title"};
    return names;
}

RtpPackage BuildPackage() {
    RtpPackage p;
    for (ChipsetInfo (*make)() : {MakeGrasslandChipset, MakeDungeonChipset}) {
        ChipsetInfo info = make();
        p.pictures.push_back({"ChipSet", info.name, std::move(info.image)});
    }
    for (const CharacterSetPlan& plan : CharacterSetPlans()) {
        p.pictures.push_back({"CharSet", plan.name, MakeCharacterSet(plan.looks)});
        if (plan.hasFaces) p.pictures.push_back({"FaceSet", plan.name, MakeFaceSet(plan.looks)});
    }
    auto add = [&p](const char* folder, std::vector<NamedPicture> pictures) {
        for (NamedPicture& n : pictures)
            p.pictures.push_back({folder, n.name, std::move(n.image)});
    };
    add("System", MakeSystemGraphics());
    add("Title", MakeTitles());
    add("GameOver", MakeGameOvers());
    add("Backdrop", MakeBackdrops());
    add("Panorama", MakePanoramas());
    add("Picture", MakePictures());
    add("Monster", MakeMonsters());
    add("Battle", MakeBattleAnimations());
    p.files.push_back({"Movie", "Opening1", "avi", WriteAvi(MakeOpeningFrames(), 12)});
    for (MusicPiece& m : MakeMusic())
        p.files.push_back({"Music", m.name, "mid", std::move(m.bytes)});
    for (SoundEffect& s : MakeSounds())
        p.files.push_back({"Sound", s.name, "wav", std::move(s.bytes)});
    return p;
}

std::vector<std::string> WritePackage(const RtpPackage& package, const std::string& outDir) {
    namespace fs = std::filesystem;
    std::vector<std::string> written;
    for (const std::string& folder : MaterialFolderNames())
        fs::create_directories(fs::path(outDir) / folder);
    for (const RtpPicture& pic : package.pictures) {
        std::string rel = pic.folder + "/" + pic.name + ".png";
        SaveIndexedPng((fs::path(outDir) / rel).string(), pic.image);
        written.push_back(rel);
    }
    for (const RtpFile& file : package.files) {
        std::string rel = file.folder + "/" + file.name + "." + file.extension;
        WriteFileAtomically((fs::path(outDir) / rel).string(), file.bytes.data(), file.bytes.size());
        written.push_back(rel);
    }
    return written;
}

} // namespace tarvel::rtp
