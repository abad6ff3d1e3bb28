#pragma once
// Widget factories: the XML text of one widget element, with "%name%" macros filled from named
// parameters when a widget is made. A factory without macros parses its text once and reuses it,
// and may copy parameters into the new widget's properties (redefined parameters).

#include <cstddef>
#include <string>

#include "app/widget_interfaces.h"
#include "data/object.h"

namespace kestrelle {

class TWidgetFactory : public TPropertyObject, public virtual IWidgetFactory {
 public:
  void Initialize() override;
  const TPropertyTable& GetPropertyTable() const override;
  void LoadProperties(const StorageRef& storage) override;

  std::string GetWidgetString() override { return widgetString_; }
  void SetWidgetString(const std::string& text) override;
  // Values are written XML-escaped, so a value with a quote, "<" or "&" reads back as itself.
  // A value may hold the macro of a later parameter, which is then expanded too; chains of such
  // values could grow the text without bound, so an expansion past kMaxExpandedText gives "".
  std::string ExpandMacros(const ParamsRef& params) override;
  static constexpr size_t kMaxExpandedText = size_t{4} << 20;
  WidgetRef CreateWidget(const ParamsRef& params) override;

  bool GetUseMacros() const { return useMacros_; }
  void SetUseMacros(bool useMacros);
  const std::string& GetRedefinedParams() const { return redefinedParams_; }
  void SetRedefinedParams(const std::string& pairs) { redefinedParams_ = pairs; }

 private:
  std::string SourceName() const { return "widget factory \"" + GetName() + "\""; }

  std::string widgetString_;
  bool useMacros_ = true;
  std::string redefinedParams_;
  StorageRef parsed_;  // the widget string parsed once, when macros are off
};

class TWidgetFactoryCollection : public TTypedCreationPersistItemCollection, public virtual IWidgetFactoryCollection {
 public:
  void Initialize() override;
  // Elements without a "type" are plain factories.
  InterfaceRef CreateItem(const StorageRef& storage) override;
  void AddItem(const InterfaceRef& item) override;
  WidgetFactoryRef Get(const Variant& key) override { return ItemAs<IWidgetFactory>(key); }
  void Add(const WidgetFactoryRef& factory) override;
};

}  // namespace kestrelle
