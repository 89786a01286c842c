#include "schema/element_edits.h"

#include <memory>
#include <vector>

#include "editing/undo_operations.h"
#include "interface/message_ids.h"
#include "interface/message_table.h"
#include "schema/device_root.h"
#include "schema/indentation.h"
#include "schema/xml_errors.h"

namespace vrk {
namespace {

// Detaches `node` from its parent, recorded so that undo puts it back before its old next sibling.
void Detach(CNodeTagInfoXML& descriptor, const dom::Node& node) {
  dom::Node parent = node.parent();
  const dom::Node next = node.nextSibling();
  parent.removeChild(node);
  descriptor.owner()->Record<CUndoXMLNodePlace>(&descriptor, node, next, parent);
}

// Re-inserts `node` (a child of `parent`) before `before` (null: at the end), recorded as a move.
void Move(CNodeTagInfoXML& descriptor, dom::Node parent, const dom::Node& node, const dom::Node& before) {
  const dom::Node old_next = node.nextSibling();
  parent.insertBefore(node, before);
  descriptor.owner()->Record<CUndoXMLNodePlace>(&descriptor, node, old_next, parent);
}

std::vector<dom::Node> Occurrences(const CNodeTagInfoXML& element, const dom::Node& parent) {
  std::vector<dom::Node> result;
  for (dom::Node child = parent.firstChild(); child; child = child.nextSibling())
    if (element.Matches(child)) result.push_back(child);
  return result;
}

// The first node of an occurrence's unit: the indentation before it when there is one, else the element.
dom::Node UnitStart(const dom::Node& element) {
  const dom::Node previous = element.previousSibling();
  return IsWhitespace(previous) ? previous : element;
}

// Removes `node`, an occurrence of `element`, with the indentation before it.
void RemoveOccurrence(CNodeTagInfoXML& element, const dom::Node& node) {
  const dom::Node previous = node.previousSibling();
  Detach(element, node);
  if (IsWhitespace(previous)) Detach(element, previous);
  element.owner()->ResetNodeCache();
}

}  // namespace

bool RemoveElement(CNodeTagInfoXML& element, CIndexList indexes) {
  const dom::Node node = element.GetNode(indexes, false);
  if (!node) return false;
  RemoveOccurrence(element, node);
  return true;
}

bool RemoveLastElement(CNodeTagInfoXML& element, CIndexList parent_indexes) {
  const dom::Node parent = element.parent()->GetNode(parent_indexes, false);
  if (!parent) return false;
  for (dom::Node child = parent.lastChild(); child; child = child.previousSibling()) {
    if (!element.Matches(child)) continue;
    RemoveOccurrence(element, child);
    return true;
  }
  return false;
}

int32_t MoveElement(CNodeTagInfoXML& element, CIndexList indexes, int32_t offset) {
  const dom::Node node = element.GetNode(indexes, false);
  if (!node) return 0;
  const dom::Node parent = node.parent();
  if (!parent) return 0;  // the root element, alone in its document
  const std::vector<dom::Node> occurrences = Occurrences(element, parent);
  const int64_t n = static_cast<int64_t>(occurrences.size());
  int64_t p = 0;
  while (p < n && !(occurrences[static_cast<std::size_t>(p)] == node)) ++p;
  int64_t t = p + offset;
  if (t < 0) t = 0;
  if (t > n - 1) t = n - 1;
  const int32_t applied = static_cast<int32_t>(t - p);
  if (applied == 0) return 0;

  // Insert before the unit of the occurrence now at t + 1 (moving down) or t (moving up); after the last
  // occurrence when moving past the end.
  const int64_t target = applied > 0 ? t + 1 : t;
  dom::Node before = target < n ? UnitStart(occurrences[static_cast<std::size_t>(target)])
                                : occurrences.back().nextSibling();
  const dom::Node indentation = UnitStart(node);
  if (!(indentation == node)) Move(element, parent, indentation, before);
  Move(element, parent, node, before);
  element.owner()->ResetNodeCache();
  return applied;
}

std::optional<std::string> ElementText(CNodeTagInfoXML& element, CIndexList indexes) {
  const dom::Node node = element.GetNode(indexes, false);
  if (!node) return std::nullopt;
  return node.xml();
}

dom::Node ParseElement(CNodeTagInfoXML& element, const dom::Node& context, std::string_view xml) {
  dom::Document document = element.owner()->document();
  std::vector<dom::Node> parsed;
  try {
    parsed = document.parseFragment(context, xml);
  } catch (const dom::ParseError& e) {
    ThrowParseError(kMsgDocumentLoadingError, e);
  }
  dom::Node result;
  for (const dom::Node& node : parsed) {
    if (IsWhitespace(node)) continue;
    if (node.kind() != dom::NodeKind::kElement || result) ThrowMessage(kMsgDocumentLoadingError, element.GetFullPath());
    result = node;
  }
  if (!result) ThrowMessage(kMsgDocumentLoadingError, element.GetFullPath());
  return result;
}

}  // namespace vrk
