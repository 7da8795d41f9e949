#include "MaterialNode.h"

#include <new>

MaterialNode* MaterialNode::makeEmpty() {
  material = nullptr;
  nextNode = nullptr;
  return this;
}

void MaterialNode::setMaterial(Material* newMaterial) {
  if (newMaterial == nullptr) return;
  releaseMaterial(material);
  material = newMaterial;
}

void MaterialNode::setNext(MaterialNode* newNext) {
  if (newNext == nullptr) return;
  if (nextNode != nullptr) {
    nextNode->freeChain();
    delete nextNode;
  }
  nextNode = newNext;
}

void MaterialNode::freeChain() {
  releaseMaterial(material);
  material = nullptr;
  // A loop, not recursion: a list of a hundred thousand materials must not
  // exhaust the host's stack.
  MaterialNode* node = nextNode;
  nextNode = nullptr;
  while (node != nullptr) {
    MaterialNode* following = node->nextNode;
    releaseMaterial(node->material);
    delete node;
    node = following;
  }
}

MaterialNode* createNode() {
  MaterialNode* node = new (std::nothrow) MaterialNode;
  return node != nullptr ? node->makeEmpty() : nullptr;
}
