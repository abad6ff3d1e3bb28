#include "controls/score_grid_control.h"

#include "controls/control_values.h"
#include "data/hier_storage.h"
#include "data/number_format.h"
#include "data/numbers.h"
#include "data/variant_values.h"

namespace kestrelle {

const TPropertyTable& THighScoresGridControl::GetPropertyTable() const {
  static const TPropertyTable table(
      TControlWidget::GetPropertyTable(),
      {
          Property("color", &THighScoresGridControl::color_),
          Property("selectedcolor", &THighScoresGridControl::selectedColor_),
          Property("column_name_with_format_number", &THighScoresGridControl::numberColumn_).SavedIfNotDefault(),
      });
  return table;
}

void THighScoresGridControl::Initialize() {
  TControlWidget::Initialize();
  rowHeight_ = 0;
  columns_.clear();
  table_ = nullptr;
  fontHeight_ = 0;
}

// The row height's default is a tenth of the height, the font height's the row height; the
// columns are child elements.
void THighScoresGridControl::LoadProperties(const StorageRef& storage) {
  TControlWidget::LoadProperties(storage);
  rowHeight_ = static_cast<int32_t>(ReadInt(storage, "rowheight", height_ / 10));
  fontHeight_ = static_cast<int32_t>(ReadInt(storage, "font_height", rowHeight_));
  columns_.clear();
  if (StorageRef list = storage ? storage->GetChild("columns", 0) : nullptr) {
    const int count = list->GetChildCount("column");
    for (int i = 0; i < count; ++i) {
      StorageRef column = list->GetChild("column", i);
      columns_.push_back(Column{ReadString(column, "name", ""), ReadString(column, "widgetname", "")});
    }
  }
}

void THighScoresGridControl::SaveProperties(const StorageRef& storage) {
  TControlWidget::SaveProperties(storage);
  WriteInt(storage, "rowheight", rowHeight_);
  WriteInt(storage, "font_height", fontHeight_);
  if (!storage || columns_.empty()) return;
  StorageRef list = storage->AddChild("columns");
  for (const Column& column : columns_) {
    StorageRef item = list ? list->AddChild("column") : nullptr;
    WriteString(item, "name", column.name);
    WriteString(item, "widgetname", column.widgetName);
  }
}

Variant THighScoresGridControl::GetProperty(const std::string& name) {
  if (PropIs(name, "recordtable")) return Variant(InterfaceRef(table_));
  if (PropIs(name, "rowheight")) return Variant(rowHeight_);
  if (PropIs(name, "font_height")) return Variant(fontHeight_);
  return TControlWidget::GetProperty(name);
}

void THighScoresGridControl::SetProperty(const std::string& name, const Variant& value) {
  int64_t i = 0;
  if (PropIs(name, "recordtable")) {
    SetRecordTable(value.As<IRecordTable>());
  } else if (PropIs(name, "rowheight")) {
    if (VariantToInt(value, i)) {
      rowHeight_ = static_cast<int32_t>(i);
      SetChanged(true);
    }
  } else if (PropIs(name, "font_height")) {
    if (VariantToInt(value, i)) fontHeight_ = static_cast<int32_t>(i);
  } else {
    TControlWidget::SetProperty(name, value);
  }
}

void THighScoresGridControl::SetRecordTable(const RecordTableRef& table) {
  table_ = table;
  SetChanged(true);
}

void THighScoresGridControl::Draw(const SurfaceRef& surface, int32_t x, int32_t y) {
  if (!table_ || !widgets_) return;
  RecordsRef records = table_->GetRecords();
  if (!records) return;
  const int count = records->GetCount();
  const int highlighted = table_->GetLastIndex();
  for (const Column& column : columns_) {
    WidgetRef cell = widgets_->GetByName(column.widgetName);
    if (!cell) continue;
    const int32_t left = x + Round32(cell->GetAnchorLeft());
    const int32_t top = y + Round32(cell->GetAnchorTop());
    for (int i = 0; i < count; ++i) {
      RecordRef record = records->Get(Variant(i));
      ParamsRef params = record ? record->GetParams() : nullptr;
      if (!params) continue;
      cell->SetProperty("fillcolor", Variant(static_cast<int64_t>(i == highlighted ? selectedColor_ : color_)));
      Variant value = params->GetValue(column.name, Variant());
      if (value.IsEmptyOrNull()) continue;
      std::string text = EqualsIgnoreAsciiCase(column.name, numberColumn_) && !numberColumn_.empty()
                             ? FormatThousands(value.ToInt(0))
                             : value.ToString();
      // Record texts had their language pass when the table was read.
      cell->SetProperty("text_utf8", Variant(LiteralText(text)));
      cell->Draw(surface, left, top + rowHeight_ * i);
    }
  }
}

}  // namespace kestrelle
