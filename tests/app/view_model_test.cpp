#include "app/views/view_model.h"

#include <gtest/gtest.h>

#include <optional>

namespace vk {
namespace {

// A model that notes a list change for every broadcast it sees.
struct ListModel : ViewModel {
  explicit ListModel(CommandBus& bus) : ViewModel(bus) {}
  void HandleMessage(Message& m) override {
    if (m.what != EventClass::kBroadcast) return;
    Note(changed::kList);
    m.handled = true;
  }
};

TEST(ViewModelTest, AttachedWhileItLivesAndCollectsChangesUntilTaken) {
  CommandBus bus;
  std::optional<ListModel> model(std::in_place, bus);
  EXPECT_TRUE(bus.IsAttached(&*model));
  EXPECT_EQ(model->TakeChanges(), changed::kAll);  // the first redraw shows everything
  EXPECT_EQ(model->TakeChanges(), changed::kNothing);

  EXPECT_TRUE(bus.Broadcast(cm::kLogChanged));
  EXPECT_TRUE(bus.Broadcast(cm::kLogChanged));
  EXPECT_EQ(model->TakeChanges(), changed::kList);
  EXPECT_EQ(model->TakeChanges(), changed::kNothing);

  model.reset();
  EXPECT_EQ(bus.WindowCount(), 0u);
  EXPECT_FALSE(bus.Broadcast(cm::kLogChanged));
}

}  // namespace
}  // namespace vk
