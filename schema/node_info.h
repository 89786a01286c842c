// The schema descriptors: one object per element kind and per attribute kind of a configuration version, built
// once as members of their parent's descriptor and never changed in shape. Every access to the document goes
// through them: a path selects a descriptor, an index list selects the occurrences, the descriptor finds (or
// creates) the DOM node and reads or writes the value.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/dom/dom.h"
#include "schema/index_list.h"
#include "schema/limit_numbers.h"
#include "schema/value_range.h"

namespace vrk {

class CNodeTag_VRK_Device;
class CNodeTagInfoXML;

// Base of every descriptor. Not copyable: descriptors point at each other.
class CNodeInfoXML {
 public:
  CNodeInfoXML(std::string name, bool mandatory) : name_(std::move(name)), mandatory_(mandatory) {}
  CNodeInfoXML(const CNodeInfoXML&) = delete;
  CNodeInfoXML& operator=(const CNodeInfoXML&) = delete;
  virtual ~CNodeInfoXML() = default;

  // Drops the cached DOM nodes of this descriptor and of everything below it.
  virtual void ResetNodeCache() = 0;
  // Drops the cached nodes that a change of this descriptor's nodes can make stale; the undo of a change calls it.
  virtual void ResetAfterChange() { ResetNodeCache(); }
  // How many index-list entries a path to this descriptor consumes.
  virtual uint32_t GetIndexDepth() const = 0;

  const std::string& name() const { return name_; }
  bool mandatory() const { return mandatory_; }
  // The configuration root that owns the tree; set once the tree is built.
  CNodeTag_VRK_Device* owner() const { return owner_; }
  // The element descriptor that lists this one; null for the root.
  CNodeTagInfoXML* parent() const { return parent_; }

  // "\VRK_Device\Cfg\DeviceType": the parent's full path, a backslash and the name. Names descriptors in errors.
  std::string GetFullPath() const;

 protected:
  friend class CNodeTagInfoXML;
  CNodeTag_VRK_Device* owner_ = nullptr;
  CNodeTagInfoXML* parent_ = nullptr;

 private:
  std::string name_;
  bool mandatory_;
};

class CNodeAttrInfoXML;

// Element descriptor.
class CNodeTagInfoXML : public CNodeInfoXML {
 public:
  CNodeTagInfoXML(std::string name, bool mandatory, bool repeated)
      : CNodeInfoXML(std::move(name), mandatory), repeated_(repeated) {}

  void ResetNodeCache() override;
  // 0 for the root; otherwise the parent's depth, plus 1 when this element has a key attribute.
  uint32_t GetIndexDepth() const override;

  // Resolves the occurrence that `indexes` selects, consuming one entry per repeated element on the path (from the
  // front). Returns null when it does not exist and `create` is false; with `create` missing occurrences are made
  // (indented, key written, in ascending key order when selected by key) and recorded in the undo journal. Throws
  // CConvException: kMsgNoSearchIndex when an entry is missing, kMsgNoSearchAttribute when an entry asks for a key that
  // the element does not have, kMsgTagCreationError when creation fails.
  virtual dom::Node GetNode(CIndexList& indexes, bool create);
  // The occurrence `entry` selects among the children of `parent_node` (a non-repeated element: {false, 0}), as
  // GetNode resolves its last step; with `create` a missing one is made there.
  dom::Node GetNodeIn(const dom::Node& parent_node, IndexEntry entry, bool create);

  // Takes `node`, found as occurrence `entry` among the children of `parent_node`, as the occurrence that
  // lookups with that entry under that parent find: for walks that meet the occurrences in document order.
  void RememberOccurrence(const dom::Node& parent_node, const dom::Node& node, IndexEntry entry);

  // Number of occurrences under the parent occurrence that `indexes` selects (0 when that does not exist).
  uint32_t CountNodes(CIndexList indexes);
  // The parent occurrence that `indexes` selects, without creating it; null when it does not exist.
  dom::Node ParentNode(CIndexList indexes);
  // The first occurrence among the children of `parent_node`: the one a non-repeated element resolves to.
  dom::Node FirstIn(const dom::Node& parent_node) const;
  // Calls `visit` with every occurrence among the children of `parent_node`, in document order, which is the
  // order of their positions.
  template <class VISIT>
  void ForEachIn(const dom::Node& parent_node, VISIT&& visit) const {
    for (dom::Node child = FirstIn(parent_node); child; child = child.nextSiblingNamedNoCase(name())) visit(child);
  }

  bool repeated() const { return repeated_; }
  const std::vector<CNodeAttrInfoXML*>& attributes() const { return attributes_; }
  const std::vector<CNodeTagInfoXML*>& children() const { return children_; }
  // Null when occurrences are selected by position only.
  CNodeAttrInfoXML* key_attribute() const { return key_attribute_; }
  // True when what is cached depends on the keys of the occurrences: an occurrence found by its key, or what a
  // scan of the siblings' keys saw.
  bool caches_key_lookup() const { return (cached_node_ && cached_use_attr_) || key_scan_.has_value(); }

  // Child element or attribute by name (ASCII case-insensitive); null when there is none.
  CNodeTagInfoXML* FindChild(std::string_view name) const;
  CNodeAttrInfoXML* FindAttribute(std::string_view name) const;

  // Inserts the detached `node` into `parent_node` before `before` (null: at the end) with the indentation of its
  // level, so that the document stays indented; every inserted node is recorded for undo.
  void InsertIndented(const dom::Node& parent_node, const dom::Node& node, dom::Node before);

  // True when `node` is an element this descriptor describes (name compared ASCII case-insensitively).
  bool Matches(const dom::Node& node) const;

  // Trees of older versions are built from the version-7 descriptors without what those versions lack: the
  // descriptor stays a member with its owner and parent (so that direct uses stay safe) but is no longer listed,
  // so paths, checks and copies do not see it. Call once the tree is finished.
  void Unlist(CNodeAttrInfoXML* attribute);
  void Unlist(CNodeTagInfoXML* child);

 protected:
  // Tree building, used by constructors: attributes and children in schema order.
  void AddAttributes(std::initializer_list<CNodeAttrInfoXML*> attributes);
  void AddChildren(std::initializer_list<CNodeTagInfoXML*> children);
  void SetKeyAttribute(CNodeAttrInfoXML* key) { key_attribute_ = key; }
  // Sets owner and parent pointers of the whole subtree; called once by the root after construction.
  void SetTree(CNodeTag_VRK_Device* owner, CNodeTagInfoXML* parent);

  // Finds the occurrence among the children of `parent_node`: by position, or by key value.
  dom::Node FindOccurrence(const dom::Node& parent_node, IndexEntry entry);
  // The occurrence at position `wanted`, searched after `from`, the occurrence at `position` (< `wanted`).
  dom::Node FindLaterOccurrence(const dom::Node& from, uint32_t position, uint32_t wanted) const;
  // Creates an occurrence under `parent_node`, placed and indented, and records it for undo.
  dom::Node CreateOccurrence(const dom::Node& parent_node, IndexEntry entry);

 private:
  // What the last complete scan by key saw among the children of one parent occurrence. While the document's
  // child lists stay unchanged and no key is rewritten (which drops it like every cached node), a key above
  // `max_key` is known to be absent and to belong after `last`: occurrences added in key order then cost no
  // scan each.
  struct KeyScan {
    dom::Node parent;
    dom::Node last;                   // the last occurrence; null when there is none
    std::optional<uint32_t> max_key;  // null when no occurrence has a readable key
    std::uint64_t version = 0;        // the document's structure version the scan saw
    std::unordered_map<uint32_t, dom::Node> first;  // the first occurrence of each readable key
  };

  // The key scan of the children of `parent_node`, when it still holds; else null.
  KeyScan* CurrentKeyScan(const dom::Node& parent_node);
  // Scans the children of `parent_node` by key and keeps what it saw.
  KeyScan& ScanKeys(const dom::Node& parent_node);
  // True when `node` carries the key `key`.
  bool HasKey(const dom::Node& node, uint32_t key) const;

  // The occurrence last found, and the parent occurrence it was found under: a lookup under another parent
  // occurrence finds afresh, so a parent that moves on need not drop what its descendants cached.
  dom::Node cached_node_;
  dom::Node cached_parent_;
  std::optional<KeyScan> key_scan_;
  bool cached_use_attr_ = false;
  uint32_t cached_index_ = 0;
  bool repeated_;
  std::vector<CNodeAttrInfoXML*> attributes_;
  std::vector<CNodeTagInfoXML*> children_;
  CNodeAttrInfoXML* key_attribute_ = nullptr;
};

// Attribute descriptor.
class CNodeAttrInfoXML : public CNodeInfoXML {
 public:
  CNodeAttrInfoXML(std::string name, bool mandatory, ValueRange range)
      : CNodeInfoXML(std::move(name), mandatory), range_(std::move(range)) {}

  void ResetNodeCache() override {}  // an attribute descriptor keeps no node
  // A change of a key, or of a part of one, also drops the element's occurrences found by key.
  void ResetAfterChange() override;
  uint32_t GetIndexDepth() const override;

  // True when writing `attribute` changes this attribute's value: it is this attribute, or one it is made of.
  virtual bool Includes(const CNodeAttrInfoXML& attribute) const { return &attribute == this; }
  // True when this attribute is the key its element's occurrences are selected by, or a part of that key.
  bool IsKeyPart() const;

  // Stores `text` unchanged into this attribute of `element`, creating the attribute when missing (recorded for undo).
  // Writing a different value of a key or key part drops the element's cached occurrences. Throws
  // kMsgAttributeCreationError when the attribute cannot be created.
  virtual void WriteValue(const dom::Node& element, const std::string& text);
  // True when the attribute is present on `element`; its value goes to `text` when that is not null.
  virtual bool ReadValue(const dom::Node& element, std::string* text) const;
  // Records for undo this attribute's present state on `element` (its value, or that it is absent), so that an
  // undo puts exactly that state back.
  virtual void RecordOldValue(const dom::Node& element);
  // Writes `text` at the occurrence `indexes` selects, creating missing elements; the old value is recorded for
  // undo first. With `check` the value is validated after writing (the caller undoes on failure).
  virtual void SetValue(const std::string& text, CIndexList indexes, bool check);
  // Writes `text` into this attribute of the occurrence `element` in hand, the old value recorded for undo first;
  // SetValue's write once it has the occurrence, without validation.
  void Store(const dom::Node& element, const std::string& text);
  // The stored text at the occurrence `indexes` selects. Throws kMsgAttributeNotSpecified when the element or attribute
  // is missing.
  virtual std::string GetValue(CIndexList indexes);
  // The stored text at the occurrence `indexes` selects; null when the element or the attribute is missing.
  // Creates nothing.
  std::optional<std::string> FindValue(CIndexList indexes);
  // Cross-attribute rules of this attribute; none in the base class.
  virtual void CheckLinked(const CIndexList& indexes);
  // Removes the attribute from the occurrence, when both exist (recorded for undo).
  virtual void RemoveValue(CIndexList indexes);

  CNodeTagInfoXML* element() const { return parent_; }
  const ValueRange& range() const { return range_; }
  ValueRange& range() { return range_; }
  // The range's limits as numbers, as the value check last read them.
  CLimitNumbers& limit_numbers() { return limit_numbers_; }
  // True once the root has found that this attribute's range depends on no other value: it has nothing to
  // prepare before a check.
  bool range_fixed() const { return range_fixed_; }
  void MarkRangeFixed() { range_fixed_ = true; }

 private:
  ValueRange range_;
  CLimitNumbers limit_numbers_;
  bool range_fixed_ = false;
  // Where this attribute stood among the attributes of the element it was last read from: like elements
  // usually list their attributes alike, so the next read looks there first.
  mutable std::size_t position_hint_ = 0;
};

// Per-version marker classes: the descriptors of a version's own sections derive from these.
class CNodeTagInfoXMLv1 : public CNodeTagInfoXML { using CNodeTagInfoXML::CNodeTagInfoXML; };
class CNodeTagInfoXMLv2 : public CNodeTagInfoXML { using CNodeTagInfoXML::CNodeTagInfoXML; };
class CNodeTagInfoXMLv3 : public CNodeTagInfoXML { using CNodeTagInfoXML::CNodeTagInfoXML; };
class CNodeTagInfoXMLv6 : public CNodeTagInfoXML { using CNodeTagInfoXML::CNodeTagInfoXML; };
class CNodeTagInfoXMLv7 : public CNodeTagInfoXML { using CNodeTagInfoXML::CNodeTagInfoXML; };
class CNodeAttrInfoXMLv1 : public CNodeAttrInfoXML { using CNodeAttrInfoXML::CNodeAttrInfoXML; };
class CNodeAttrInfoXMLv2 : public CNodeAttrInfoXML { using CNodeAttrInfoXML::CNodeAttrInfoXML; };
class CNodeAttrInfoXMLv3 : public CNodeAttrInfoXML { using CNodeAttrInfoXML::CNodeAttrInfoXML; };
class CNodeAttrInfoXMLv6 : public CNodeAttrInfoXML { using CNodeAttrInfoXML::CNodeAttrInfoXML; };
class CNodeAttrInfoXMLv7 : public CNodeAttrInfoXML { using CNodeAttrInfoXML::CNodeAttrInfoXML; };

// Declares a descriptor class for an attribute that only has a name, flags and a range:
//   VRK_ATTRIBUTE(Cversion, CNodeAttrInfoXML, "version", true, ValueRange::Integer(kTypeUnsigned16, 1, 7));
#define VRK_ATTRIBUTE(Class, Base, xml_name, is_mandatory, value_range)  \
  class Class : public Base {                                           \
   public:                                                              \
    Class() : Base(xml_name, is_mandatory, value_range) {}              \
  }

}  // namespace vrk
