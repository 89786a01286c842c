// Undo entries: each reverses one DOM change made by a descriptor, then drops that descriptor's cached nodes.
// Entries hold the very nodes involved (counted references), never copies, so undoing a removal re-inserts the
// node that was removed.
#pragma once

#include <optional>
#include <string>

#include "platform/dom/dom.h"
#include "schema/index_list.h"

namespace vrk {

class CNodeInfoXML;
class CNodeAttrInfoXML;

class CUndoXMLOperation {
 public:
  explicit CUndoXMLOperation(CNodeInfoXML* descriptor) : descriptor_(descriptor) {}
  CUndoXMLOperation(const CUndoXMLOperation&) = delete;
  // Entries are made on the stack first and moved into the group, so that one that cannot be stored can still
  // undo its change.
  CUndoXMLOperation(CUndoXMLOperation&&) = default;
  CUndoXMLOperation& operator=(const CUndoXMLOperation&) = delete;
  virtual ~CUndoXMLOperation() = default;

  // Reverses the change. Called with recording off, last entry first.
  void Undo();

 protected:
  virtual void UndoChange() = 0;
  CNodeInfoXML* descriptor() const { return descriptor_; }

 private:
  CNodeInfoXML* descriptor_;
};

// An element or text node was inserted; undo detaches it.
class CUndoXMLTagAppend : public CUndoXMLOperation {
 public:
  CUndoXMLTagAppend(CNodeInfoXML* descriptor, dom::Node node) : CUndoXMLOperation(descriptor), node_(node) {}

 protected:
  void UndoChange() override;

 private:
  dom::Node node_;
};

// A node or an attribute was removed, or a node moved among its siblings; undo puts it back under its old
// parent (its element, for an attribute) before its old next sibling (at the end when it had none).
class CUndoXMLNodePlace : public CUndoXMLOperation {
 public:
  CUndoXMLNodePlace(CNodeInfoXML* descriptor, dom::Node node, dom::Node next, dom::Node parent)
      : CUndoXMLOperation(descriptor), node_(node), next_(next), parent_(parent) {}

 protected:
  void UndoChange() override;

 private:
  dom::Node node_;
  dom::Node next_;
  dom::Node parent_;
};

// An element was replaced by another; undo swaps them back.
class CUndoXMLNodeReplace : public CUndoXMLOperation {
 public:
  CUndoXMLNodeReplace(CNodeInfoXML* descriptor, dom::Node old_node, dom::Node new_node)
      : CUndoXMLOperation(descriptor), old_node_(old_node), new_node_(new_node) {}

 protected:
  void UndoChange() override;

 private:
  dom::Node old_node_;
  dom::Node new_node_;
};

// An attribute value was written; undo writes the old value back, or removes the attribute when it had none.
// The entry holds the element itself rather than the index list of the write: when the written attribute is
// the key that the index list selects the element by, that list no longer finds it after the write.
class CUndoXMLAttrChange : public CUndoXMLOperation {
 public:
  CUndoXMLAttrChange(CNodeAttrInfoXML* descriptor, dom::Node element, std::optional<std::string> old_value);

 protected:
  void UndoChange() override;

 private:
  CNodeAttrInfoXML* attribute_;
  dom::Node element_;
  std::optional<std::string> old_value_;
};

}  // namespace vrk
