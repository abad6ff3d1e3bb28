#include "app/resources.h"

#include <gtest/gtest.h>

#include <map>

#include "../media/image_test_encoders.h"
#include "app/app_registration.h"
#include "data/cipher.h"
#include "data/class_registry.h"
#include "data/hier_storage.h"
#include "data/random.h"
#include "engine_test_support.h"

namespace kestrelle {
namespace {

// Serves files from memory and records what the resources ask of it.
class TFakeOwner : public TAbstractObject, public virtual IResourceOwner {
 public:
  std::map<std::string, std::string> files;
  std::map<std::string, int> opens;
  std::vector<std::pair<std::string, int>> samplesLoaded;  // file, max playbacks
  std::vector<AudioHandle> samplesFreed;
  std::vector<AudioHandle> musicFreed;
  std::shared_ptr<TResourceCollection> resources = Create<TResourceCollection>();
  AudioHandle nextHandle = 100;

  StreamRef OpenStream(const std::string& fileName) override {
    ++opens[fileName];
    auto it = files.find(fileName);
    return it == files.end() ? nullptr : std::make_unique<TMemoryStream>(it->second);
  }
  PixelFormat GetPixelFormat() override { return {}; }
  uint32_t ColorToPixel(uint32_t colour) override { return colour; }
  AudioHandle LoadMusic(const std::string&) override { return ++nextHandle; }
  void FreeMusic(AudioHandle handle) override { musicFreed.push_back(handle); }
  AudioHandle LoadSample(const std::string& fileName, int maxPlaybacks, bool) override {
    samplesLoaded.emplace_back(fileName, maxPlaybacks);
    return ++nextHandle;
  }
  AudioHandle LoadSampleChannel(const std::string&, AudioHandle& sample) override {
    sample = ++nextHandle;
    return ++nextHandle;
  }
  void FreeSample(AudioHandle handle) override { samplesFreed.push_back(handle); }
  ResourceRef GetResource(const std::string& name) override { return resources->GetResource(name); }
};

class ResourcesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    enginetest::RegisterEngineTestClasses();
    owner = Create<TFakeOwner>();
    const test::RgbaImage image{3, 2, {0xFF102030u, 0x80405060u, 0xFF000000u, 0, 0xFFFFFFFFu, 0x01020304u}};
    owner->files["img\\a.png"] = test::EncodePng(image, {PNG_COLOR_TYPE_RGB_ALPHA, 8});
    owner->files["img\\palette.png"] = test::EncodePng(image, {PNG_COLOR_TYPE_PALETTE, 8});
    owner->files["img\\photo.jpg"] = test::EncodeJpeg(image);
    test::RgbaImage mask{3, 2, {0xFF000000u, 0xFF808080u, 0xFFFFFFFFu, 0xFF000000u, 0xFF000000u, 0xFF000000u}};
    owner->files["img\\photo.png"] = test::EncodePng(mask, {PNG_COLOR_TYPE_GRAY, 8});
  }
  void TearDown() override { SetRandomSource(nullptr); }

  // Loads `resources` (the inside of "content") under `group`; returns the pump count.
  int Load(const std::string& resources, const std::string& group) {
    StorageRef root = LoadStorageFromString("<resources><content>" + resources + "</content></resources>");
    int pumps = 0;
    LoadResourceElements(*owner->resources, root, group, owner, [&] { ++pumps; });
    return pumps;
  }
  template <class I>
  std::shared_ptr<I> Get(const std::string& name) {
    return std::dynamic_pointer_cast<I>(owner->resources->GetResource(name));
  }

  std::shared_ptr<TFakeOwner> owner;
};

TEST_F(ResourcesTest, ImagesLoadAtOnceOrOnFirstUseAndTheFirstDefinitionOfANameWins) {
  const int pumps = Load(R"(
      <resource type="ImageResource" name="a" file="img\a.png" format="png"/>
      <resource type="ImageResource" name="later" file="img\a.png" format="png" loadbydemand="yes"/>
      <resource type="ImageResource" name="palette" file="img\palette.png" format="png"/>
      <resource type="ImageResource" name="photo" file="img\photo.jpg" format="jpeg"/>
      <resource type="ImageResource" name="masked" file="img\photo.png" format="jpng"/>
      <resource type="ImageResource" name="missing" file="img\none.png" format="png"/>
      <resource type="ImageResource" name="raw" file="img\a.png"/>
      <resource type="SoundResource" name="a" file="img\a.png"/>
      <resource type="NoSuchResource" name="odd" file="img\a.png"/>)",
                         "first");
  EXPECT_EQ(pumps, 9);  // one main-loop step before each element
  EXPECT_EQ(owner->resources->GetCount(), 7);

  auto a = Get<IImageResource>("a");
  ASSERT_TRUE(a);  // the image, not the sound defined later under the same name
  EXPECT_EQ(owner->opens["img\\a.png"], 1);
  EXPECT_EQ(a->GetWidth(), 3);
  EXPECT_EQ(a->GetHeight(), 2);
  EXPECT_TRUE(a->GetSurface()->GetKeepAlpha());
  EXPECT_EQ(a->GetSurface()->GetPixel(1, 0), 0x80405060u);
  EXPECT_EQ(a->GetGroup(), "first");

  auto later = Get<IImageResource>("later");
  EXPECT_EQ(owner->opens["img\\a.png"], 1);  // nothing read at load time
  ASSERT_TRUE(later->GetSurface());
  EXPECT_EQ(owner->opens["img\\a.png"], 2);
  later->GetWidth();
  EXPECT_EQ(owner->opens["img\\a.png"], 2);  // decoded once
  later->Unload();
  EXPECT_EQ(owner->opens["img\\a.png"], 2);
  EXPECT_EQ(later->GetHeight(), 2);  // pending again: the next use reads it again
  EXPECT_EQ(owner->opens["img\\a.png"], 3);

  ASSERT_TRUE(Get<IImageResource>("palette")->GetSurface());
  EXPECT_EQ(Get<IImageResource>("palette")->GetSurface()->GetPixel(0, 0), 0xFF102030u);
  auto photo = Get<IImageResource>("photo");
  ASSERT_TRUE(photo->GetSurface());
  EXPECT_FALSE(photo->GetSurface()->GetKeepAlpha());
  auto masked = Get<IImageResource>("masked");
  ASSERT_TRUE(masked->GetSurface());
  EXPECT_EQ(masked->GetSurface()->GetPixel(1, 0) >> 24, 0x80u);
  EXPECT_EQ(masked->GetSurface()->GetPixel(2, 0) >> 24, 0xFFu);

  for (const char* empty : {"missing", "raw"}) {
    auto image = Get<IImageResource>(empty);
    ASSERT_TRUE(image) << empty;
    EXPECT_FALSE(image->GetSurface()) << empty;
    EXPECT_EQ(image->GetWidth(), 0) << empty;
  }
  EXPECT_FALSE(owner->resources->GetResource("odd"));
  EXPECT_TRUE(a->IsAvailable());
  EXPECT_FALSE(Get<IImageResource>("missing")->IsAvailable());
}

TEST_F(ResourcesTest, GroupsUnloadTogetherAndAnEmptyGroupUnloadsEverything) {
  Load(R"(<resource type="SoundResource" name="click" file="s\click.ogg"/>
          <resource type="SoundResource" name="bell" file="s\bell.ogg" maxplaybacks="3" master_volume="40"/>)",
       "sounds");
  Load(R"(<resource type="MusicResource" name="theme" file="m\theme.mo3"/>
          <resource type="MusicResource" name="menu" file="m\menu.ogg" format="ogg" loadbydemand="yes"/>)",
       "music");
  ASSERT_EQ(owner->samplesLoaded.size(), 2u);
  EXPECT_EQ(owner->samplesLoaded[0], (std::pair<std::string, int>{"s\\click.ogg", 1}));  // 0 playbacks become 1
  EXPECT_EQ(owner->samplesLoaded[1], (std::pair<std::string, int>{"s\\bell.ogg", 3}));
  EXPECT_EQ(Get<ISoundResource>("bell")->GetMasterVolume(), 40);
  EXPECT_EQ(Get<IMusicResource>("menu")->GetFormat(), 1);
  const AudioHandle theme = Get<IMusicResource>("theme")->GetHandle();
  EXPECT_NE(theme, 0u);

  owner->resources->UnloadGroup("sounds");
  EXPECT_EQ(owner->resources->GetCount(), 2);
  EXPECT_EQ(owner->samplesFreed.size(), 2u);
  EXPECT_TRUE(owner->resources->GetResource("theme"));

  owner->resources->UnloadGroup("");
  EXPECT_EQ(owner->resources->GetCount(), 0);
  EXPECT_EQ(owner->musicFreed, std::vector<AudioHandle>{theme});
  EXPECT_EQ(owner->samplesFreed.size(), 2u);  // "menu" was never loaded, so nothing to free
}

TEST_F(ResourcesTest, SoundGroupsPlayARandomMemberAndAnEmptyGroupPlaysNothing) {
  Load(R"(<resource type="SoundGroupResource" name="steps"><resources>
            <resource type="SoundResource" name="s1" file="s\1.ogg" master_volume="10"/>
            <resource type="SoundResource" name="s2" file="s\2.ogg" master_volume="20"/>
          </resources></resource>
          <resource type="SoundGroupResource" name="silence"/>)",
       "g");
  auto steps = Get<ISoundResource>("steps");
  EXPECT_EQ(steps->GetHandle(), 0u);  // none chosen yet
  EXPECT_EQ(steps->GetMasterVolume(), 100);
  std::vector<int32_t> picks = {1, 0};
  SetRandomSource([&](int32_t n) {
    EXPECT_EQ(n, 2);
    int32_t pick = picks.front();
    picks.erase(picks.begin());
    return pick;
  });
  steps->Choose();
  EXPECT_EQ(steps->GetMasterVolume(), 20);
  const AudioHandle second = steps->GetHandle();
  steps->Choose();
  EXPECT_EQ(steps->GetMasterVolume(), 10);
  EXPECT_NE(steps->GetHandle(), second);
  EXPECT_NE(steps->GetHandle(), 0u);

  auto silence = Get<ISoundResource>("silence");
  silence->Choose();
  EXPECT_EQ(silence->GetHandle(), 0u);
}

TEST_F(ResourcesTest, ASoundGroupNestedTooDeeplyLoadsUpToTheLimitAndTheFileGoesOn) {
  std::string open, close;
  for (int i = 0; i < 40000; ++i) {
    open += R"(<resource type="SoundGroupResource" name="g)" + std::to_string(i) + R"("><resources>)";
    close += "</resources></resource>";
  }
  ::testing::internal::CaptureStderr();
  Load(open + R"(<resource type="SoundResource" name="deepest" file="s\deep.ogg"/>)" + close +
           R"(<resource type="SoundResource" name="next" file="s\next.ogg"/>)",
       "deep");
  const std::string log = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(log.find("/resources/...("), std::string::npos) << log;
  EXPECT_NE(log.find("objects nest deeper than"), std::string::npos) << log;
  ASSERT_TRUE(Get<ISoundResource>("g0"));
  ASSERT_TRUE(Get<ISoundResource>("next"));
  // The deepest sound, past the limit, was never made.
  EXPECT_EQ(owner->samplesLoaded, (std::vector<std::pair<std::string, int>>{{"s\\next.ogg", 1}}));
  owner->resources->UnloadGroup("deep");
  EXPECT_EQ(owner->resources->GetCount(), 0);
}

TEST_F(ResourcesTest, FontChainsKeepOnlyTheFontsTheyNameInOrder) {
  const test::RgbaImage sheet{4, 2, std::vector<uint32_t>(8, 0xFFFFFFFFu)};
  owner->files["f\\a.png"] = test::EncodePng(sheet, {PNG_COLOR_TYPE_RGB_ALPHA, 8});
  Load(R"(<resource type="FontResource" name="font_a" file="f\a.png" format="png" loadbydemand="yes">
            <symbols><symbol scancode="65" width="2" height="2"/><symbol scancode="32" width="1" height="1"/></symbols>
          </resource>
          <resource type="FontResource" name="font_b" file="f\a.png" format="png">
            <symbols><symbol scancode="65" width="4" height="1"/><symbol scancode="66" width="3" height="2"/></symbols>
          </resource>
          <resource type="ImageResource" name="not_a_font" file="f\a.png" format="png"/>
          <resource type="FontSubstituteResource" name="chain" fonts="font_a, missing,not_a_font,font_b"/>)",
       "fonts");
  auto chain = Get<TFontSubstituteResource>("chain");
  ASSERT_TRUE(chain);
  EXPECT_EQ(chain->GetFontCount(), 2);
  EXPECT_FALSE(std::dynamic_pointer_cast<TImageResource>(Get<IResource>("font_a"))->IsPending());  // asked once
  EXPECT_EQ(chain->GetLineHeight(), 2);
  EXPECT_EQ(chain->GetWidth(), 0);  // no symbol asked for yet
  EXPECT_EQ(SymbolOfText(*chain, U"A")->GetWidth(), 2);
  EXPECT_EQ(SymbolOfText(*chain, U"B")->GetWidth(), 3);
  EXPECT_EQ(chain->GetWidth(), 4);
  EXPECT_FALSE(SymbolOfText(*chain, U""));
  EXPECT_FALSE(SymbolOfText(*chain, U"Z"));
  chain->Release();
  EXPECT_EQ(chain->GetFontCount(), 0);
}

TEST_F(ResourcesTest, ResourceFilesAndResourcesWriteTheirAttributes) {
  StorageRef list = LoadStorageFromString(R"(<resourcefiles>
      <resourcefile filename="data\ini\res_main.ini" loadmode="synch"/>
      <resourcefile filename="data\ini\res_level.ini"/></resourcefiles>)");
  auto files = Create<TResourceFileCollection>();
  files->LoadFromStorage(list);
  ASSERT_EQ(files->GetCount(), 2);
  EXPECT_EQ(files->GetResourceFile(0)->GetLoadMode(), IResourceFile::kSynch);
  EXPECT_EQ(files->GetResourceFile(1)->GetLoadMode(), IResourceFile::kAsynch);

  StorageRootRef out = CreateStorage("resourcefiles");
  files->SaveToStorage(out->GetRoot());
  EXPECT_NE(out->SaveToString().find(R"(filename="data\ini\res_level.ini" loadmode="asynch")"), std::string::npos)
      << out->SaveToString();

  auto image = CreateObjectAs<TImageResource>("ImageResource");
  image->LoadFromStorage(LoadStorageFromString(R"(<resource name="x" file="a.jpg" format="jpeg"/>)"));
  StorageRootRef saved = CreateStorage("resource");
  image->SaveToStorage(saved->GetRoot());
  const std::string xml = saved->SaveToString();
  EXPECT_NE(xml.find(R"(file="a.jpg")"), std::string::npos) << xml;
  EXPECT_NE(xml.find(R"(format="jpeg")"), std::string::npos) << xml;
  EXPECT_EQ(xml.find("loadbydemand"), std::string::npos) << xml;
}

// ---------------------------------------------------------------------------------------------
// Through the engine: an enciphered resource file from the program folder, loaded with pumping.

class EngineResourcesTest : public enginetest::EngineTest {};

TEST_F(EngineResourcesTest, ResourceFilesLoadThroughTheReaderWithALoopStepBetweenResources) {
  ASSERT_TRUE(StartEngine());
  BeginRun();
  const test::RgbaImage image{2, 2, {0xFF0000FFu, 0xFF00FF00u, 0xFFFF0000u, 0xFFFFFFFFu}};
  std::filesystem::create_directories(appDir / "data" / "images");
  WriteFileAtomic((appDir / "data" / "images" / "dot.png").string(), test::EncodePng(image, {PNG_COLOR_TYPE_RGB, 8}));
  const std::string definition = R"(<resources><content>
      <resource type="ImageResource" name="dot" file="data\images\dot.png" format="png"/>
      <resource type="ImageResource" name="dot2" file="data\images\dot.png" format="png"/>
      <resource type="ImageResource" name="dot3" file="data\images\dot.png" format="png"/>
    </content></resources>)";
  WriteFileAtomic((appDir / "data" / "ini" / "res.ini").string(), EncipherToHex(enginetest::kTestKey, definition));
  WriteFileAtomic((appDir / "data" / "ini" / "res2.ini").string(), EncipherToHex(enginetest::kTestKey, R"(<r><content>
      <resource type="ImageResource" name="dot" file="data\images\other.png" format="png"/></content></r>)"));

  // What each pumped frame sees: the resources added so far are usable.
  std::vector<bool> seen;
  enginetest::TTestGame::onUpdate = [&](enginetest::TTestGame&, uint32_t) {
    seen.push_back(engine->GetResource("dot") != nullptr);
  };
  ServeMessages();
  engine->LoadResourceFile("data\\ini\\res.ini", "res", true);
  engine->LoadResourceFile("data\\ini\\res2.ini", "res2", false);
  engine->LoadResourceFile("data\\ini\\missing.ini", "none", false);

  auto dot = std::dynamic_pointer_cast<IImageResource>(engine->GetResource("dot"));
  ASSERT_TRUE(dot);
  EXPECT_EQ(dot->GetFile(), "data\\images\\dot.png");  // the first file's definition
  ASSERT_TRUE(dot->GetSurface());
  EXPECT_EQ(dot->GetSurface()->GetPixel(1, 1), 0xFFFFFFFFu);
  EXPECT_EQ(seen, (std::vector<bool>{false, true, true}));

  engine->UnloadResources("res");
  EXPECT_FALSE(engine->GetResource("dot2"));
  engine->UnloadResources("");
  EXPECT_FALSE(engine->GetResource("dot"));
}

}  // namespace
}  // namespace kestrelle
