#pragma once
// "KestrelleStampElement": one piece of the Stamp picture. Its factory declares three extra
// values: "state" ("normal" free, "moving" sliding to join), "neigbours" (the pieces that border
// it in the picture) and "links" (every piece of its group, each name followed by ","). Setting
// "state" to anything but "moving" shows the look child of that name among "normal", "placed" and
// "draging" and hides the others; "moving" keeps the look.

#include <string>

#include "widgets/group_widget.h"

namespace kestrelle {

class TKestrelleStampElement : public TVisualGroupWidget {
 public:
  void SetProperty(const std::string& name, const Variant& value) override;
};

}  // namespace kestrelle
