// A material list is its head node, held by its owner as a pointer that may be
// absent. Positions count from the head as 0, empty nodes included, and stay
// stable while nothing is removed.
#pragma once

#include "MaterialNode.h"

using MaterialList = MaterialNode*;

// Nodes from the head to the end, empty ones included; 0 for an absent head.
int nodeCount(const MaterialNode* head);

// Puts the material into the head when the head is empty, otherwise into a new
// node after the last node. The list owns the material on 1; on 0 (no node
// could be allocated) nothing changed and the caller still owns it.
int append(MaterialNode* head, Material* material);

// Adds the material in a new node behind `last`, which must be the last node
// of its list: append without the walk, for building a long list. Returns the
// new node, or null when it could not be allocated; then nothing changed and
// the caller still owns the material.
MaterialNode* appendAfter(MaterialNode* last, Material* material);

// Removes the material at `position`: the next node's content moves into the
// node at that position, or, at the last node, the node stays behind empty.
// An absent head or a position outside the list changes nothing.
void removeAt(MaterialNode* head, int position);

// freeChain on the head, release of the head, and the head made absent.
void releaseList(MaterialList& head);
