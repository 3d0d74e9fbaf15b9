// Project tree nodes: one INI section with its keys (PAConfigInt items) and
// its child sections, named in the section's own key "CHILDS" as a list of
// names each followed by "," ("A,B,"). A whole file of sections is read,
// changed and written back through its root node.
//
// Every file access goes through the shared profile cache, so a node works
// on the cached INI model and its changes reach the disk when the cache
// saves the file (PASaveProfiles). Names of sections, keys and children are
// compared without regard to case.
#pragma once

#include <afx.h>
#include <afxcoll.h>

#include <tekora/config_items.h>

class PAIniFile;
class PAIniSection;

class PANodeObject;

// A callback of a template: called with the item or the child node just set
// up from it; the result is not looked at.
typedef int (*PAEntryCallback)(PAConfigInt* item);
typedef int (*PANodeCallback)(PANodeObject* node);

// One key of a template node.
struct PAEntryTemplate {
  int nKeyId;                   // string table number of the key
  int nDefault;                 // string table number of the default; the number itself with bNumeric
  PAEntryCallback pfnCallback;  // may be null
  int bDoNotStore;              // copied into the item's do-not-store flag
  int bNumeric;                 // non-zero: nDefault is written as its decimal text
};

// One section of a template tree.
struct PANodeTemplate {
  int nNameId;                             // string table number of the name; 0: lpszName
  const PAEntryTemplate* const* ppEntries;  // null-terminated; may be null
  const PANodeTemplate* const* ppChildren;  // null-terminated; may be null
  PANodeCallback pfnCallback;               // called with the node after its parent set it up
  LPCSTR lpszName;                          // the name when nNameId is 0; may be null
};

// A walk's callback: 0 stops the whole walk, -1 skips the node's children,
// anything else goes on.
typedef int (*PANodeWalkProc)(PANodeObject* node, void* user);

class PANodeObject : public CObject {
  DECLARE_SERIAL(PANodeObject)
 public:
  // No name or file, no items or children, no parent.
  PANodeObject();
  // Clear, then frees the members. Never writes the file.
  ~PANodeObject() override;

  static CRuntimeClass* GetThisClass();

  // Loading: name, file, the parent (an object reference), the items and
  // the children (replacing what the node held); storing the same. Items
  // keep their default and value only (see PAConfigString::Serialize).
  // Archive errors throw the archive exception.
  void Serialize(CArchive& ar) override;

  // Sets the node up from the template: its name, file and parent, one item
  // per entry (found among its own items, else made and appended) with the
  // template's default and flag, then one child per child template (found
  // among its children, else appended), each set up the same way and then
  // given to the child template's callback. Nothing is read or written.
  // 1; 0 for a null template. `passThrough` has no use but to be handed on.
  int InitFromTemplate(LPCSTR file, const PANodeTemplate* nodeTemplate, PANodeObject* parent, int passThrough);
  // Reads the node's section: each key but CHILDS into its own item (made
  // when missing; an item that cannot be read is dropped), then the children
  // (LoadChildren). 0 for an empty name or file path, a file that does not
  // exist, or a section without keys; a file shorter than 52 bytes shows
  // the corrupt-file message box and still loads.
  int Load();
  // Reads the CHILDS list: an empty list deletes the key; each name loads
  // the child of that name (made when missing; dropped when its section
  // cannot be loaded). A name that names this node or one of its ancestors
  // adds nothing, so a list that names itself cannot recurse. Always 1.
  int LoadChildren();
  // Writes every item (an item that may not be stored has its key deleted
  // instead), saves every child, then writes the CHILDS list (each name
  // once) or deletes it when there are no children. Always 1.
  int Save();
  // Deletes the node's keys, its children's sections' keys and the CHILDS
  // key from the cached file, then Clear. Always 1.
  int Erase();
  // Deletes every item and child (the whole subtree) without writing.
  void Clear();
  // Calls `proc` on this node, then walks the children in order (pre-order)
  // unless it gave -1. 0 when a call gave 0 (the walk stops there), else 1.
  int Walk(PANodeWalkProc proc, void* user);

  // The first item with the key (the node's own, then with `recursive` each
  // child's subtree in order), or null (also for a null key).
  PAConfigInt* FindItem(LPCSTR key, int recursive) const;
  // The first child with the name; with `recursive` each child that does not
  // match is searched through before the next one. Null for a null name.
  PANodeObject* FindChild(LPCSTR name, int recursive) const;
  // The same with the string table text of the number (null for a number
  // without text).
  PAConfigInt* FindItemById(int keyId, int recursive) const;
  PANodeObject* FindChildById(int nameId, int recursive) const;
  // The item or child at the index, or null out of range.
  PAConfigInt* GetItem(int index) const;
  PANodeObject* GetChild(int index) const;
  // Appends the node as the last child (it belongs to this node from then
  // on); null is ignored.
  void AddChild(PANodeObject* node);
  // Appends the item (it belongs to this node from then on); null is ignored.
  void AddItem(PAConfigInt* item);
  // The direct child, if it is one: erased from the file (Erase), deleted
  // and removed.
  void RemoveChild(PANodeObject* node);
  // The item, if it is one of the node's: its key deleted from the cached
  // file, the item deleted and removed.
  void RemoveItem(PAConfigInt* item);
  // The same for the item at the index; nothing for an index out of range.
  void RemoveItemAt(int index);
  // RemoveItemAt(0) while items remain.
  void RemoveAllItems();

  LPCSTR GetName() const;
  void SetName(LPCSTR name);
  LPCSTR GetFile() const;
  void SetFile(LPCSTR file);
  PANodeObject* GetParent() const;
  void SetParent(PANodeObject* parent);
  int GetItemCount() const;
  int GetChildCount() const;

 protected:
  CString m_strName;
  CString m_strFile;
  CObArray m_items;
  CObArray m_children;
  PANodeObject* m_pParent;

 private:
  // True when the name is this node's or an ancestor's (loading must not
  // go round in a circle).
  bool NamesSelfOrAncestor(LPCSTR name) const;
  // The texts that the items of a tree's nodes share while it loads.
  struct SharedTexts;
  // Load and LoadChildren; with `fileChecked` the check of the file is left
  // out, because the load of the parent checked this same file just before
  // and found it long enough to raise no warning. `file` is the cached copy
  // of the node's file when the caller has it (null: found here); the
  // children in the same file take it over. New items take their file and
  // key texts from `texts`. LoadChildNodes takes the node's cached section
  // as found by the caller (may be null).
  int LoadNode(bool fileChecked, PAIniFile* file, SharedTexts* texts);
  int LoadChildNodes(bool fileChecked, PAIniFile* file, PAIniSection* section, SharedTexts* texts);
  // Load, for a file that the caller checked a moment ago and found
  // `checkedSize` bytes long: a file long enough to raise no warning is not
  // checked again. The project list loads each project file so, right after
  // its project file test.
  int LoadCheckedFile(unsigned int checkedSize);
  friend class PAWinProjectList;
};
