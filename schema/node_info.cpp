// Lookup, creation, reading and writing through the descriptor tree.
#include "schema/node_info.h"

#include <memory>
#include <vector>

#include "editing/undo_operations.h"
#include "interface/message_ids.h"
#include "interface/message_table.h"
#include "schema/device_root.h"
#include "schema/indentation.h"
#include "schema/value_check.h"
#include "schema/value_text.h"

namespace vrk {

std::string CNodeInfoXML::GetFullPath() const {
  return (parent_ ? parent_->GetFullPath() : std::string()) + "\\" + name_;
}

void CNodeTagInfoXML::ResetNodeCache() {
  key_scan_.reset();
  cached_node_ = dom::Node();
  cached_parent_ = dom::Node();
  for (CNodeAttrInfoXML* attribute : attributes_) attribute->ResetNodeCache();
  for (CNodeTagInfoXML* child : children_) child->ResetNodeCache();
}

uint32_t CNodeTagInfoXML::GetIndexDepth() const {
  if (!parent_) return 0;
  return parent_->GetIndexDepth() + (key_attribute_ ? 1 : 0);
}

void CNodeTagInfoXML::AddAttributes(std::initializer_list<CNodeAttrInfoXML*> attributes) {
  attributes_.insert(attributes_.end(), attributes);
}

void CNodeTagInfoXML::AddChildren(std::initializer_list<CNodeTagInfoXML*> children) {
  children_.insert(children_.end(), children);
}

void CNodeTagInfoXML::SetTree(CNodeTag_VRK_Device* owner, CNodeTagInfoXML* parent) {
  owner_ = owner;
  parent_ = parent;
  for (CNodeAttrInfoXML* attribute : attributes_) {
    attribute->owner_ = owner;
    attribute->parent_ = this;
  }
  for (CNodeTagInfoXML* child : children_) child->SetTree(owner, this);
}

void CNodeTagInfoXML::Unlist(CNodeAttrInfoXML* attribute) {
  std::erase(attributes_, attribute);
  if (key_attribute_ == attribute) key_attribute_ = nullptr;
}

void CNodeTagInfoXML::Unlist(CNodeTagInfoXML* child) { std::erase(children_, child); }

CNodeTagInfoXML* CNodeTagInfoXML::FindChild(std::string_view name) const {
  for (CNodeTagInfoXML* child : children_)
    if (EqualsNoCase(child->name(), name)) return child;
  return nullptr;
}

CNodeAttrInfoXML* CNodeTagInfoXML::FindAttribute(std::string_view name) const {
  for (CNodeAttrInfoXML* attribute : attributes_)
    if (EqualsNoCase(attribute->name(), name)) return attribute;
  return nullptr;
}

bool CNodeTagInfoXML::Matches(const dom::Node& node) const {
  return node.isElementNamedNoCase(name());
}

dom::Node CNodeTagInfoXML::GetNode(CIndexList& indexes, bool create) {
  const dom::Node parent_node = parent()->GetNode(indexes, create);
  if (!parent_node) return dom::Node();

  IndexEntry entry;
  if (repeated_) {
    if (indexes.empty()) ThrowMessage(kMsgNoSearchIndex, GetFullPath());
    entry = indexes.PopFront();
    if (entry.use_attr && !key_attribute_) ThrowMessage(kMsgNoSearchAttribute, GetFullPath());
    if (entry.use_attr && key_attribute_->element() != this) throw CConvException("ERROR", GetFullPath());
  }
  return GetNodeIn(parent_node, entry, create);
}

dom::Node CNodeTagInfoXML::GetNodeIn(const dom::Node& parent_node, IndexEntry entry, bool create) {
  // The cached occurrence counts only under the same parent occurrence and while it is still there.
  const bool same_parent = cached_node_ && cached_parent_ == parent_node && cached_node_.parent() == parent_node;
  if (same_parent && cached_use_attr_ == entry.use_attr && cached_index_ == entry.value) return cached_node_;
  // A positional lookup beyond the cached occurrence goes on from it, so that visiting the occurrences in order
  // costs one step each rather than a scan from the first every time.
  dom::Node resume_from;
  uint32_t resume_position = 0;
  if (same_parent && !cached_use_attr_ && !entry.use_attr && cached_index_ < entry.value) {
    resume_from = cached_node_;
    resume_position = cached_index_;
  }
  cached_node_ = dom::Node();

  dom::Node node = resume_from ? FindLaterOccurrence(resume_from, resume_position, entry.value)
                               : FindOccurrence(parent_node, entry);
  if (!node && create) node = CreateOccurrence(parent_node, entry);
  if (node) RememberOccurrence(parent_node, node, entry);
  return node;
}

void CNodeTagInfoXML::RememberOccurrence(const dom::Node& parent_node, const dom::Node& node, IndexEntry entry) {
  cached_node_ = node;
  cached_parent_ = parent_node;
  cached_use_attr_ = entry.use_attr;
  cached_index_ = entry.value;
}

CNodeTagInfoXML::KeyScan* CNodeTagInfoXML::CurrentKeyScan(const dom::Node& parent_node) {
  if (!key_scan_ || !(key_scan_->parent == parent_node)) return nullptr;
  return key_scan_->version == owner()->document().structureVersion() ? &*key_scan_ : nullptr;
}

CNodeTagInfoXML::KeyScan& CNodeTagInfoXML::ScanKeys(const dom::Node& parent_node) {
  KeyScan scan{parent_node, dom::Node(), std::nullopt, owner()->document().structureVersion(), {}};
  std::string key_text;
  for (dom::Node child = parent_node.firstChild(); child; child = child.nextSibling()) {
    if (!Matches(child)) continue;
    scan.last = child;
    if (!key_attribute_->ReadValue(child, &key_text)) continue;
    const auto key = ParseKeyText(key_text);
    if (!key) continue;
    scan.first.emplace(*key, child);  // keeps the first of equal keys
    if (!scan.max_key || *key > *scan.max_key) scan.max_key = key;
  }
  key_scan_ = std::move(scan);
  return *key_scan_;
}

bool CNodeTagInfoXML::HasKey(const dom::Node& node, uint32_t key) const {
  std::string key_text;
  if (!key_attribute_->ReadValue(node, &key_text)) return false;
  return ParseKeyText(key_text) == key;
}

dom::Node CNodeTagInfoXML::FindOccurrence(const dom::Node& parent_node, IndexEntry entry) {
  if (!entry.use_attr) {
    uint32_t position = 0;
    for (dom::Node child = parent_node.firstChild(); child; child = child.nextSibling())
      if (Matches(child) && position++ == entry.value) return child;
    return dom::Node();
  }
  // The first occurrence with the key, as a scan in document order finds it. A remembered one is taken only
  // while it still carries the key.
  if (KeyScan* scan = CurrentKeyScan(parent_node)) {
    const auto found = scan->first.find(entry.value);
    if (found == scan->first.end()) return dom::Node();
    if (HasKey(found->second, entry.value)) return found->second;
  }
  const KeyScan& scan = ScanKeys(parent_node);
  const auto found = scan.first.find(entry.value);
  return found == scan.first.end() ? dom::Node() : found->second;
}

dom::Node CNodeTagInfoXML::FindLaterOccurrence(const dom::Node& from, uint32_t position, uint32_t wanted) const {
  for (dom::Node child = from.nextSibling(); child; child = child.nextSibling()) {
    if (Matches(child) && ++position == wanted) return child;
  }
  return dom::Node();
}

dom::Node CNodeTagInfoXML::CreateOccurrence(const dom::Node& parent_node, IndexEntry entry) {
  CNodeTag_VRK_Device& root = *owner();
  dom::Document document = root.document();
  dom::Node element;
  try {
    element = document.createElement(name());
  } catch (const dom::Error&) {
    ThrowMessage(kMsgTagCreationError, GetFullPath());
  }
  // Place: before the first occurrence with a greater key, or after the last occurrence, or at the end.
  dom::Node last_same;
  dom::Node greater_key;
  bool after_all_keys = false;  // placed by what the last key scan saw: after every occurrence there
  if (!entry.use_attr) {
    for (dom::Node child = parent_node.lastChild(); child && !last_same; child = child.previousSibling())
      if (Matches(child)) last_same = child;
  } else if (const KeyScan* scan = CurrentKeyScan(parent_node);
             scan && (!scan->max_key || entry.value > *scan->max_key)) {
    last_same = scan->last;
    after_all_keys = true;
  } else {
    std::string key_text;
    for (dom::Node child = parent_node.firstChild(); child; child = child.nextSibling()) {
      if (!Matches(child)) continue;
      last_same = child;
      if (!greater_key && key_attribute_->ReadValue(child, &key_text)) {
        const auto key = ParseKeyText(key_text);
        if (key && *key > entry.value) greater_key = child;
      }
    }
  }

  InsertIndented(parent_node, element, greater_key ? greater_key : last_same ? last_same.nextSibling() : dom::Node());
  if (entry.use_attr) {
    // Writing the key drops what was known about the siblings; an occurrence that went after all of them
    // carries that knowledge on.
    std::optional<KeyScan> kept;
    if (after_all_keys) kept = std::move(key_scan_);
    key_attribute_->WriteValue(element, std::to_string(entry.value));
    if (kept) {
      kept->last = element;
      kept->max_key = entry.value;
      kept->first.emplace(entry.value, element);
      kept->version = document.structureVersion();
      key_scan_ = std::move(kept);
    }
  }
  return element;
}

void CNodeTagInfoXML::InsertIndented(const dom::Node& parent_node, const dom::Node& node, dom::Node before) {
  CNodeTag_VRK_Device& root = *owner();
  dom::Document document = root.document();
  const int level = NestingLevel(parent_node) + 1;
  // Each inserted node is recorded on its own, so that undo removes exactly what was added.
  auto insert = [&](const dom::Node& inserted, const dom::Node& next) {
    dom::Node target = parent_node;
    target.insertBefore(inserted, next);
    root.Record<CUndoXMLTagAppend>(this, inserted);
  };
  if (!before) {
    const dom::Node last = parent_node.lastChild();
    if (!last || last.kind() != dom::NodeKind::kText) {
      // No text indents the closing tag yet: [indent] node [indent of the closing tag].
      insert(document.createText(Indentation(level)), dom::Node());
      insert(node, dom::Node());
      insert(document.createText(Indentation(level - 1)), dom::Node());
      return;
    }
    before = last;  // the trailing text indents the closing tag; the node goes before it
  }
  insert(node, before);
  if (before.kind() == dom::NodeKind::kText)
    insert(document.createText(Indentation(level)), node);  // ... [indent] node [text that followed]
  else
    insert(document.createText(Indentation(level)), before);  // [indent] node [indent] element
}

uint32_t CNodeTagInfoXML::CountNodes(CIndexList indexes) {
  if (!parent()) return 1;
  const dom::Node parent_node = ParentNode(std::move(indexes));
  if (!parent_node) return 0;
  uint32_t count = 0;
  ForEachIn(parent_node, [&](const dom::Node&) { ++count; });
  return count;
}

dom::Node CNodeTagInfoXML::ParentNode(CIndexList indexes) {
  return parent() ? parent()->GetNode(indexes, false) : dom::Node();
}

dom::Node CNodeTagInfoXML::FirstIn(const dom::Node& parent_node) const {
  return parent_node.firstChildNamedNoCase(name());
}

uint32_t CNodeAttrInfoXML::GetIndexDepth() const { return parent_->GetIndexDepth(); }

bool CNodeAttrInfoXML::ReadValue(const dom::Node& element, std::string* text) const {
  if (!text) return static_cast<bool>(element.attribute(name()));
  return element.attributeValue(name(), *text, position_hint_);
}

void CNodeAttrInfoXML::ResetAfterChange() {
  if (IsKeyPart())
    element()->ResetNodeCache();
  else
    ResetNodeCache();
}

bool CNodeAttrInfoXML::IsKeyPart() const {
  const CNodeAttrInfoXML* key = element()->key_attribute();
  return key != nullptr && key->Includes(*this);
}

void CNodeAttrInfoXML::WriteValue(const dom::Node& element, const std::string& text) {
  CNodeTagInfoXML* owner_element = this->element();
  if (IsKeyPart()) {
    std::string old;
    // Only lookups by key can go stale when a key changes; an occurrence found by position stays where it is.
    if (owner_element->caches_key_lookup() && (!ReadValue(element, &old) || !EqualsNoCase(old, text)))
      owner_element->ResetNodeCache();
  }
  dom::Node existing = element.attribute(name());
  const bool existed = static_cast<bool>(existing);
  try {
    if (existing) {
      existing.setValue(text);
    } else {
      dom::Node target = element;
      target.appendAttribute(name(), text);
    }
  } catch (const dom::Error&) {
    // A new attribute that cannot be made is this model's error; a value the DOM refuses is the DOM's.
    if (!existed) ThrowMessage(kMsgAttributeCreationError, GetFullPath());
    throw;
  }
}

void CNodeAttrInfoXML::RecordOldValue(const dom::Node& element) {
  std::string old;
  std::optional<std::string> old_value;
  if (ReadValue(element, &old)) old_value = std::move(old);
  owner()->Record<CUndoXMLAttrChange>(this, element, std::move(old_value));
}

void CNodeAttrInfoXML::SetValue(const std::string& text, CIndexList indexes, bool check) {
  const CIndexList write_indexes = indexes;
  Store(this->element()->GetNode(indexes, true), text);
  if (check) CheckValue(*this, text, write_indexes);
}

void CNodeAttrInfoXML::Store(const dom::Node& element, const std::string& text) {
  if (owner()->recording()) RecordOldValue(element);
  WriteValue(element, text);
}

std::string CNodeAttrInfoXML::GetValue(CIndexList indexes) {
  const dom::Node element = this->element()->GetNode(indexes, false);
  std::string text;
  if (!element || !ReadValue(element, &text)) ThrowMessage(kMsgAttributeNotSpecified, GetFullPath());
  return text;
}

std::optional<std::string> CNodeAttrInfoXML::FindValue(CIndexList indexes) {
  const dom::Node element = this->element()->GetNode(indexes, false);
  std::string text;
  if (!element || !ReadValue(element, &text)) return std::nullopt;
  return text;
}

void CNodeAttrInfoXML::CheckLinked(const CIndexList&) {}

void CNodeAttrInfoXML::RemoveValue(CIndexList indexes) {
  dom::Node element = this->element()->GetNode(indexes, false);
  if (!element) return;
  const dom::Node attribute = element.attribute(name());
  if (!attribute) return;
  const dom::Node next = attribute.nextSibling();
  element.removeAttributeNode(attribute);
  ResetAfterChange();
  owner()->Record<CUndoXMLNodePlace>(this, attribute, next, element);
}

}  // namespace vrk
