#pragma once
// "HighScoresGridControl": the records of one high-score table drawn as rows, one template text
// child per column ("columns"/"column" elements: the record parameter "name" shown by the child
// "widgetname"), the table's newest record in "selectedcolor".

#include <cstdint>
#include <string>
#include <vector>

#include "controls/control_widget.h"
#include "records/high_scores.h"

namespace kestrelle {

class THighScoresGridControl : public TControlWidget {
 public:
  struct Column {
    std::string name;        // the record parameter
    std::string widgetName;  // the template text child
  };

  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  void LoadProperties(const StorageRef& storage) override;
  void SaveProperties(const StorageRef& storage) override;
  Variant GetProperty(const std::string& name) override;
  void SetProperty(const std::string& name, const Variant& value) override;
  // The children are templates: only the table's cells are drawn.
  void Draw(const SurfaceRef& surface, int32_t x, int32_t y) override;

  void SetRecordTable(const RecordTableRef& table);
  const std::vector<Column>& Columns() const { return columns_; }

 private:
  int32_t rowHeight_ = 0;
  std::vector<Column> columns_;
  RecordTableRef table_;
  uint32_t color_ = 0;
  uint32_t selectedColor_ = 0;
  int32_t fontHeight_ = 0;  // kept for the data; drawing does not use it
  std::string numberColumn_;
};

}  // namespace kestrelle
