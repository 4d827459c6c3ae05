#include "page/contact_sort_document.h"

namespace borvanta {

Ref<MemoryDocument> makeContactSortDocument(const PageSettings& s) {
  Ref<MemoryDocument> page = makeRef<MemoryDocument>();
  page->addElement("idLog");
  page->addImage("idProgress", s.progressWidth);
  page->addCheckBox("cbUseDefaultContact", s.useDefaultContacts);
  page->addCheckBox("cbSeperateName", s.separateName);
  page->addCheckBox("cbResetNumber", s.resetNumber);
  page->addCheckBox("cbResetNationalNumber", s.resetNationalNumber);
  page->addCheckBox("cbResetFullName", s.resetFullName);
  page->addCheckBox("cbResetDisplayName", s.resetDisplayName);
  page->addSelect("sbNameType", s.nameType);
  page->addSelect("sbDisplayType", s.displayType);
  page->addRadio("rbSeperateType1", s.separateType == 1);
  page->addRadio("rbSeperateType2", s.separateType == 2);
  page->addRadio("rbSeperateType3", s.separateType == 3);
  page->addRadio("rbDisplayNameType1", s.displayNameType == 1);
  page->addRadio("rbDisplayNameType2", s.displayNameType == 2);
  page->addTextBox("sDisplayName", s.displayNameTemplate);
  return page;
}

}  // namespace borvanta
