#include "MaterialList.h"

int nodeCount(const MaterialNode* head) {
  int count = 0;
  for (const MaterialNode* node = head; node != nullptr; node = node->nextNode) ++count;
  return count;
}

MaterialNode* appendAfter(MaterialNode* last, Material* material) {
  MaterialNode* node = createNode();
  if (node == nullptr) return nullptr;
  node->setMaterial(material);
  last->setNext(node);
  return node;
}

int append(MaterialNode* head, Material* material) {
  if (head->material == nullptr) {
    head->setMaterial(material);
    return 1;
  }
  MaterialNode* last = head;
  while (last->nextNode != nullptr) last = last->nextNode;
  return appendAfter(last, material) != nullptr ? 1 : 0;
}

void removeAt(MaterialNode* head, int position) {
  if (position < 0) return;
  MaterialNode* node = head;
  for (int i = 0; node != nullptr && i < position; ++i) node = node->nextNode;
  if (node == nullptr) return;
  releaseMaterial(node->material);
  MaterialNode* following = node->nextNode;
  if (following == nullptr) {
    node->makeEmpty();
    return;
  }
  node->material = following->material;
  node->nextNode = following->nextNode;
  delete following;
}

void releaseList(MaterialList& head) {
  if (head == nullptr) return;
  head->freeChain();
  delete head;
  head = nullptr;
}
