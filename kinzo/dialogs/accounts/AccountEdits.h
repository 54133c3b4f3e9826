#pragma once
// The stored edits of "科目設定" on the dialog's own copy of the account tree:
// each writes the data file at once and keeps the tree in step with it. Each
// returns the message of the step that failed, empty on success; steps done
// before a failure stay stored. The questions to the user come before these.
// The tree's ordering codes in memory are what the file holds (SyncCodes
// makes them so once, when the dialog reads the tree).

#include "kinzo/data/AccountItemList.h"

#include <QString>

class CKinzoDoc;

namespace account_edits {

// Stores the codes of the nodes below `top` whose stored code differs from
// the one in memory.
QString SyncCodes(CKinzoDoc& document, AccountItemNode* top);

// Inserts the item under the parent (appended last) and, when moveEntries is
// set, books the parent's entries to it. added: the new node.
QString Add(CKinzoDoc& document, AccountItemNode* parent, _AccountItem item, bool moveEntries, AccountItemNode*& added);

// Writes the node's record; when its validity changed from `before`, every
// descendant takes it and every ancestor of level 1 and more is widened to
// cover it.
QString Change(CKinzoDoc& document, AccountItemNode* node, const _AccountItem& before);

// Books the entries and loans of the leaf to the target leaf and removes it.
QString Merge(CKinzoDoc& document, AccountItemNode* node, AccountItemNode* target);

// Makes the node the last child of the new parent, its subtree's levels,
// side and codes renewed. The caller has checked the depth.
QString Move(CKinzoDoc& document, AccountItemNode* node, AccountItemNode* newParent);

// Deletes the entries and loans of the node and of everything below it, then
// the items; the node is gone from the tree afterwards.
QString Delete(CKinzoDoc& document, AccountItemNode* node);

enum class Place { First, Up, Down, Last };
// Moves the node among its siblings; true in `moved` when it changed place.
QString Reorder(CKinzoDoc& document, AccountItemNode* node, Place place, bool& moved);

// How many levels the node's subtree spans (1 for a leaf).
int SubtreeHeight(const AccountItemNode* node);
// The validity of the item widened to cover `inner` (flags OR-ed; an unused
// date takes the other's, else the earlier start and the later end win).
void Widen(_AccountItem& outer, const _AccountItem& inner);

}  // namespace account_edits
