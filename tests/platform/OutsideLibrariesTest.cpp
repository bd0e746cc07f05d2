#include <gtest/gtest.h>

#include "TestEnvironment.h"
#include "platform/OutsideLibraries.h"

using namespace tarvel;

TEST(OutsideLibraries, BothLoadByNameWithEveryEntryPointResolved) {
    ConsortLibrary sound;
    ASSERT_TRUE(sound.Load(tarvel::test::BuildBinFolder()));
    EXPECT_EQ(sound.ResolvedCount(), ConsortLibrary::EntryPointCount);
    // The editor's call order, including a stop with nothing playing, is harmless.
    sound.Create();
    sound.InitWave();
    sound.StopMusic();
    sound.TermMidi();
    sound.StopSound();
    sound.Release();
    sound.Unload();
    EXPECT_FALSE(sound.IsLoaded());

    UnlhaLibrary archiver;
    ASSERT_TRUE(archiver.Load(tarvel::test::BuildBinFolder()));
    EXPECT_NE(archiver.Unlha(), nullptr);
}

TEST(OutsideLibraries, MissingFolderLoadsNothingAndCallsAreHarmless) {
    ConsortLibrary sound;
    EXPECT_FALSE(sound.Load(tarvel::test::MakeTempFolder("empty")));
    EXPECT_EQ(sound.ResolvedCount(), 0);
    sound.PlayMusic("/nowhere.mid");
    sound.StopMusic();
    UnlhaLibrary archiver;
    EXPECT_FALSE(archiver.Load(tarvel::test::MakeTempFolder("empty")));
}
