#include "game/level/order_item.h"

#include "data/property_table.h"
#include "widgets/text_widget.h"

namespace kestrelle {

namespace {

// Characters (code points) of UTF-8 text: the 1-based positions the text widget lays out.
int32_t CharacterCount(const std::string& utf8) {
  int32_t count = 0;
  for (unsigned char c : utf8)
    if ((c & 0xC0) != 0x80) ++count;
  return count;
}

}  // namespace

const TPropertyTable& TOrderItem::GetPropertyTable() const {
  static const TPropertyTable table(TVisualGroupWidget::GetPropertyTable(),
                                    {
                                        Property("state", &TOrderItem::state_).SetWith(&TOrderItem::SetState),
                                        Property("item_id", &TOrderItem::itemId_),
                                    });
  return table;
}

void TOrderItem::SetState(const std::string& state) {
  if (state == state_) return;
  state_ = state;
  if (state_ == kOrderItemSolved) StrikeThrough();
  Invalidate();
}

void TOrderItem::StrikeThrough() {
  auto desc = std::dynamic_pointer_cast<TTextWidget>(FindWidget("desc"));
  if (!desc) return;
  bool twoLines = false;
  const int32_t last = CharacterCount(desc->GetText());
  TRect first{}, end{};
  if (last > 0 && desc->GetSymbolRect(1, first) && desc->GetSymbolRect(last, end)) twoLines = first.top != end.top;
  if (WidgetRef line = FindWidget("line1")) line->SetVisible(!twoLines);
  if (WidgetRef line = FindWidget("line2")) line->SetVisible(twoLines);
}

}  // namespace kestrelle
