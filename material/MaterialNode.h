// One link of a material list: a node owns its material and every node after
// it. A node without a material is an empty node; it still takes a position.
#pragma once

#include "Material.h"

struct MaterialNode {
  Material* material;      // owned, may be absent
  MaterialNode* nextNode;  // owned, absent at the end of the list

  // Material and following node absent. Called on every new node.
  MaterialNode* makeEmpty();

  // An absent argument does nothing; otherwise the current material is
  // released and replaced.
  void setMaterial(Material* newMaterial);

  // An absent argument does nothing; otherwise the current following chain is
  // released and replaced.
  void setNext(MaterialNode* newNext);

  // Releases this node's material and every following node with its material.
  // The node itself stays: its owner releases it right after.
  void freeChain();
};

// A new emptied node, or null when memory runs out.
MaterialNode* createNode();
