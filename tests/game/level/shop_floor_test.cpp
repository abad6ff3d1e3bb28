// The shop floor's widgets in a small level tree: a client made from its factory shows its order,
// mood and hearts, runs out of patience only while the level plays, and a station that loses its
// client or bonus keeps its own "contour" and closes for two seconds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/class_registry.h"
#include "data/params.h"
#include "data/xml_escape.h"
#include "game/level/client_arrival.h"
#include "game/level/client_manager.h"
#include "game/level/shop_client.h"
#include "game/level/shop_station.h"
#include "support/widget_harness.h"

namespace kestrelle {
namespace {

using testing::WidgetHarness;

// The level control as the floor sees it: a "state" and a record of the clients that left.
class TFakeLevel : public TVisualGroupWidget, public virtual IControlGameMain {
 public:
  Variant GetProperty(const std::string& name) override {
    if (name == "state") return Variant(state);
    if (name == "customers_served") return Variant(served);
    if (name == "customers_goal") return Variant(goal);
    return TVisualGroupWidget::GetProperty(name);
  }
  std::string GetOrderedItems() override { return {}; }
  void HandleEvent(int32_t code, const ParamsRef& params) override {
    arrivals.push_back(std::to_string(code) + ":" + params->GetValue("client_path", "").ToString());
  }
  ParamsRef ComputeResults() override { return nullptr; }
  void ClientLeft(const ShopStationRef& station) override { left.push_back(station->GetName()); }

  int64_t state = kLevelStatePlaying;
  int64_t served = 0;
  int64_t goal = 0;
  std::vector<std::string> left;
  std::vector<std::string> arrivals;
};

std::string Factory(const std::string& name, const std::string& widget) {
  return "<widgetfactory name=\"" + name + "\" widgetstring=\"" + EscapeXmlAttribute(widget) + "\"/>";
}

std::string LevelXml() {
  testing::EnsureGameClassesRegistered();
  static const bool registered = [] {
    RegisterObjectClass<TFakeLevel>("test_shop_level");
    return true;
  }();
  (void)registered;
  const std::string client = R"(<widget type="KestrelleShopClient" name="%name%" visible="yes"
      client_order="%client_order%" extraparams="\client_type=%client_type%\heart_0=%heart_0%\heart_1=%heart_1%\heart_2=%heart_2%\heart_3=%heart_3%">
    <widgets>
      <widget type="group_widget" name="order" visible="no"/>
      <widget type="rect_widget" name="order_icon" visible="yes"/>
      <widget type="rect_widget" name="money" visible="no"/>
      <widget type="group_widget" name="client_pad" visible="yes"><widgets>
        <widget type="rect_widget" name="pad_sad"/><widget type="rect_widget" name="pad_normal"/>
        <widget type="rect_widget" name="pad_happy"/></widgets></widget>
      <widget type="group_widget" name="patience" visible="yes"><widgets>
        <widget type="image_widget" name="heart_0" extraparams="\shake=0"/><widget type="image_widget" name="heart_1" extraparams="\shake=0"/>
        <widget type="image_widget" name="heart_2" extraparams="\shake=0"/></widgets></widget>
      <widget type="text_widget" name="cost"/>
      <widget type="rect_widget" name="frame_froze" visible="no"/>
    </widgets></widget>)";
  const std::string line = R"(<widget type="KestrelleOrderItem" name="%name%" state="unsolved" item_id="%item_id%"
      anchor_top="%anchor_top%"><widgets><widget type="text_widget" name="desc" text="%text%"/>
      <widget type="rect_widget" name="line1" visible="no"/><widget type="rect_widget" name="line2" visible="no"/>
      </widgets></widget>)";
  const std::string label = R"(<widget type="rect_widget" name="%name%" extraparams="\text=%text%"/>)";
  return R"(<widget type="test_shop_level" name="level" visible="yes"><widgetfactories>)" +
         Factory("shop_client", client) + Factory("order_description", line) +
         Factory("client_kid", R"(<widget type="rect_widget" name="kid"/>)") + Factory("add_heart", label) +
         Factory("heart", label) + Factory("heart_off", label) +
         R"(</widgetfactories><widgets><widget type="group_widget" name="shop_stations" visible="yes"><widgets>
           <widget type="KestrelleShopStation" name="s1" visible="yes" anchor_left="100" anchor_top="50"><widgets>
             <widget type="rect_widget" name="contour" visible="yes" width="40" height="30"/></widgets></widget>
           <widget type="KestrelleShopStation" name="s2" visible="yes" currenttime="-2000"/>
         </widgets></widget></widgets></widget>)";
}

struct Floor {
  WidgetHarness h{LevelXml()};
  std::shared_ptr<TFakeLevel> level = std::dynamic_pointer_cast<TFakeLevel>(h.Find("level"));
  ShopStationRef station = std::dynamic_pointer_cast<IShopStation>(h.Find("level/shop_stations/s1"));

  // A client as the client manager seats it.
  std::shared_ptr<TShopClient> Seat(const std::string& order, int64_t rate) {
    ParamsRef params = CreateParams();
    params->SetValue("name", "1");
    params->SetValue("client_type", "kid");
    params->SetValue("client_order", order);
    for (int i = 0; i < 4; ++i) params->SetValue("heart_" + std::to_string(i), std::to_string(10 * (i + 1)));
    auto client = std::dynamic_pointer_cast<TShopClient>(level->CreateWidget("shop_client", params));
    if (!client) return nullptr;
    client->SetOwner(std::dynamic_pointer_cast<IWidgetOwner>(station));
    client->InitOrder(1, 0);
    station->SetClient(client);
    client->SetProperty("patience_rate", rate);
    client->SetProperty("client_hearts", kMaxHearts);
    return client;
  }
};

TEST(ShopFloor, ClientShowsItsOrderAndIsPaidWhenEveryLineIsFound) {
  Floor f;
  // The odd last pair is ignored.
  auto client = f.Seat(R"(\item1id=cap\item1desc=Red cap\item2id=mug\item2desc=Mug\item3id=pen)", 10);
  ASSERT_TRUE(client);
  EXPECT_EQ(f.h.Prop("level/shop_stations/s1/state").ToString(), "busy");
  EXPECT_EQ(client->GetOrderItemIds(false), "cap;mug;");
  EXPECT_EQ(f.h.Prop("level/shop_stations/s1/1/order/1/desc/text").ToString(), "Red cap");
  EXPECT_EQ(f.h.Prop("level/shop_stations/s1/1/order/2/anchor_top").ToInt(), 20);
  EXPECT_TRUE(f.h.Find("level/shop_stations/s1/1/client_pad/kid"));
  EXPECT_EQ(f.h.Prop("level/shop_stations/s1/1/cost/text").ToString(), "$40");
  EXPECT_TRUE(f.h.Prop("level/shop_stations/s1/1/client_pad/pad_happy/visible").ToBool());

  client->Activate();
  EXPECT_EQ(client->GetState(), "active");
  EXPECT_TRUE(f.h.Prop("level/shop_stations/s1/1/order/visible").ToBool());
  EXPECT_FALSE(f.h.Prop("level/shop_stations/s1/1/order_icon/visible").ToBool());

  client->SolveItem("mug");
  EXPECT_EQ(client->GetOrderItemIds(true), "cap;");
  EXPECT_EQ(f.h.Prop("level/shop_stations/s1/1/order/2/state").ToString(), "solved");
  EXPECT_TRUE(f.h.Prop("level/shop_stations/s1/1/order/2/line1/visible").ToBool());
  EXPECT_EQ(client->GetState(), "active");
  client->SolveItem("cap");
  EXPECT_EQ(client->GetState(), "money");
  EXPECT_TRUE(f.h.Prop("level/shop_stations/s1/1/money/visible").ToBool());
  EXPECT_FALSE(f.h.Prop("level/shop_stations/s1/1/order/visible").ToBool());
}

TEST(ShopFloor, PatienceRunsOnlyWhileTheLevelPlaysAndTheClientLeavesWhenItRunsOut) {
  Floor f;
  auto client = f.Seat(R"(\item1id=cap\item1desc=Cap\item2id=mug\item2desc=Mug)", 10);
  ASSERT_TRUE(client);
  EXPECT_DOUBLE_EQ(client->GetProperty("client_patience").ToDouble(), 39);
  EXPECT_FALSE(f.h.Find("level/shop_stations/s1/1/3_3"));  // arrival shows no gain

  f.level->state = 3;  // a minigame runs: nothing moves
  f.h.Frame(5000);
  EXPECT_DOUBLE_EQ(client->GetProperty("client_patience").ToDouble(), 39);

  f.level->state = kLevelStatePlaying;
  f.h.Frame(3000);  // 36: the last heart shakes in its final seconds
  EXPECT_EQ(f.h.Prop("level/shop_stations/s1/1/patience/heart_2/shake").ToInt(), -1);
  EXPECT_EQ(f.h.Prop("level/shop_stations/s1/1/patience/heart_1/shake").ToInt(), 0);

  client->SetProperty("ice_bonus", 15.0);
  EXPECT_TRUE(f.h.Prop("level/shop_stations/s1/1/frame_froze/visible").ToBool());
  EXPECT_EQ(f.h.Prop("level/shop_stations/s1/1/patience/heart_0/resourcename").ToString(), "img_GameClientHeartIce");
  for (int i = 0; i < 15; ++i) f.h.Frame(1000);
  EXPECT_DOUBLE_EQ(client->GetProperty("client_patience").ToDouble(), 36);
  f.h.Frame(10);  // the ice has run out
  EXPECT_FALSE(f.h.Prop("level/shop_stations/s1/1/frame_froze/visible").ToBool());
  EXPECT_EQ(f.h.Prop("level/shop_stations/s1/1/patience/heart_0/resourcename").ToString(), "img_GameClientHeart");

  f.h.Frame(7000);  // 29: a heart is lost
  EXPECT_EQ(client->GetProperty("client_hearts").ToInt(), 2);
  EXPECT_TRUE(f.h.Find("level/shop_stations/s1/1/2_3"));
  EXPECT_FALSE(f.h.Prop("level/shop_stations/s1/1/patience/heart_2/visible").ToBool());
  EXPECT_TRUE(f.h.Prop("level/shop_stations/s1/1/client_pad/pad_normal/visible").ToBool());
  EXPECT_EQ(f.h.Prop("level/shop_stations/s1/1/cost/text").ToString(), "$30");

  // A heart on a full heart count still shows the gain and refills the heart.
  client->SetProperty("client_hearts", 2);
  EXPECT_TRUE(f.h.Find("level/shop_stations/s1/1/2_2"));
  EXPECT_DOUBLE_EQ(client->GetProperty("client_patience").ToDouble(), 29);

  EXPECT_TRUE(f.level->left.empty());
  for (int i = 0; i < 30; ++i) f.h.Frame(1000);
  EXPECT_EQ(f.level->left, std::vector<std::string>{"s1"});
}

TEST(ShopFloor, StationKeepsItsContourAndClosesAfterAClientOrBonusGoes) {
  Floor f;
  auto client = f.Seat(R"(\item1id=cap\item1desc=Cap\item2id=mug\item2desc=Mug)", 10);
  ASSERT_TRUE(client);
  EXPECT_TRUE(f.station->HitTest({120, 60}));
  EXPECT_FALSE(f.station->HitTest({90, 60}));

  EXPECT_EQ(f.station->RemoveClient(), client);
  f.h.Frame(10);
  EXPECT_FALSE(f.h.Find("level/shop_stations/s1/1"));
  EXPECT_TRUE(f.h.Find("level/shop_stations/s1/contour"));
  EXPECT_TRUE(f.station->HitTest({120, 60}));
  EXPECT_FALSE(f.station->GetClient());
  EXPECT_FALSE(IsStationFree(f.h.Prop("level/shop_stations/s1/state").ToString(),
                             f.h.Prop("level/shop_stations/s1/currenttime").ToInt()));

  // A bonus that expires closes the station in the same way.
  f.h.Frame(2000);
  EXPECT_TRUE(IsStationFree("empty", f.h.Prop("level/shop_stations/s1/currenttime").ToInt()));
  f.station->SetBonus(WidgetHarness::Make(R"(<widget type="rect_widget" name="bonus"/>)"), 3);
  EXPECT_EQ(f.h.Prop("level/shop_stations/s1/state").ToString(), "bonus");
  f.h.Frame(2900);
  EXPECT_TRUE(f.h.Find("level/shop_stations/s1/bonus"));
  f.h.Frame(200);
  f.h.Frame(10);
  EXPECT_FALSE(f.h.Find("level/shop_stations/s1/bonus"));
  EXPECT_TRUE(f.h.Find("level/shop_stations/s1/contour"));
  EXPECT_EQ(f.h.Prop("level/shop_stations/s1/state").ToString(), "empty");
  EXPECT_LT(f.h.Prop("level/shop_stations/s1/currenttime").ToInt(), 0);
}

// The level reference's tuning values.
class TLevelRefSample : public TPropertyObject {
 public:
  Variant GetProperty(const std::string& name) override {
    if (name == "patience_rate") return Variant(int64_t{10});
    if (name == "money_3") return Variant("40");
    return Variant();
  }
};

TEST(ClientManager, SeatsClientsAtOpenStationsUntilTheGoalIsInSight) {
  Floor f;
  f.level->goal = 2;
  auto levelRef = Create<TLevelRefSample>();
  levelRef->SetName("2");
  TClientManager manager;
  manager.Init(f.level, nullptr, levelRef);
  f.h.Frame(10);
  manager.Tick(10);  // s1 is open; s2 opens two seconds later
  EXPECT_EQ(f.level->arrivals, std::vector<std::string>{"15:../shop_stations/s1/1"});
  EXPECT_EQ(f.h.Prop("level/shop_stations/s1/1/state").ToString(), "active");
  EXPECT_DOUBLE_EQ(f.h.Prop("level/shop_stations/s1/1/client_patience").ToDouble(), 39);
  EXPECT_EQ(f.h.Prop("level/shop_stations/s1/1/cost/text").ToString(), "$40");

  f.h.Frame(2000);
  manager.Tick(10);
  ASSERT_EQ(f.level->arrivals.size(), 2u);
  EXPECT_EQ(f.h.Prop("level/shop_stations/s2/2/state").ToString(), "idle");  // one client is served at a time

  // Two at the stations reach the goal of two: a station freed again stays empty.
  f.station->RemoveClient();
  f.level->served = 1;
  f.h.Frame(2100);
  manager.Tick(10);
  EXPECT_EQ(f.level->arrivals.size(), 2u);
  f.level->goal = 3;
  manager.Tick(10);
  EXPECT_EQ(f.level->arrivals.size(), 3u);
  EXPECT_EQ(manager.GetClientCount(), 3);
}

}  // namespace
}  // namespace kestrelle
