#include "tests/unit/reliability/folders.h"

namespace borvanta::testing_support {

namespace {

using P = om::ContactProperty;

}  // namespace

std::vector<ContactValues> mixedFolder() {
  return {
      {{P::FirstName, u"김철수"}, {P::MobileTelephoneNumber, u"01012345678"}},
      {{P::LastName, u"이"},
       {P::FirstName, u"영희"},
       {P::HomeTelephoneNumber, u"(02)123-4567"},
       {P::CompanyName, u"삼성"},
       {P::Department, u"개발팀"},
       {P::JobTitle, u"과장"}},
      {{P::FirstName, u"남궁민수"}, {P::MobileTelephoneNumber, u"+82 10-1234-5678"}},
      {{P::FirstName, u"황보석"}, {P::BusinessTelephoneNumber, u"15881234"}},
      {{P::LastName, u"Smith"},
       {P::FirstName, u"John"},
       {P::BusinessFaxNumber, u"+44 20 7946 0000"}},
      {{P::FirstName, u"김수한무"}, {P::MobileTelephoneNumber, u"010-1234-5678"}},
      {{P::FirstName, u"엄마"}, {P::MobileTelephoneNumber, u"+821012345678"}},
      {{P::CompanyName, u"삼성전자"}, {P::Department, u"인사팀"}},
      {{P::FileAs, u""}, {P::FirstName, std::nullopt}},
      {{P::FirstName, u"<img src=x onerror=alert(1)>"},
       {P::CompanyName, u"</div><script>alert(1)</script>"},
       {P::MobileTelephoneNumber, u"<b>010</b>"}},
      {{P::FirstName, u"김😀"}, {P::MobileTelephoneNumber, u"010 1234 5678"}},
      {{P::LastName, u"박"}, {P::FirstName, u"지성"}, {P::Department, u"개발😀팀"}},
      {{P::FirstName, u"김 철수"}, {P::MobileTelephoneNumber, u"02-1234-5678 "}},
      {{P::FirstName, u"서문희"}, {P::HomeTelephoneNumber, u"0505 123 4567"}},
      {{P::FirstName, u"최AB"}},
      {{P::FirstName, u"정"}},
      {{P::LastName, u"강"},
       {P::FirstName, u"감찬"},
       {P::JobTitle, u"장군"},
       {P::MobileTelephoneNumber, u"011-123-4567"}},
      {{P::FirstName, u" 조용필"}},
      {{P::FirstName, u"윤아"}, {P::CompanyName, u"SM"}, {P::MobileTelephoneNumber, u"1588123"}},
      {{P::FirstName, u"장보고"},
       {P::CompanyName, u"청해진"},
       {P::Department, u"무역"},
       {P::JobTitle, u"대사"}},
      {{P::FirstName, u"임꺽정"},
       {P::MobileTelephoneNumber, u"016 123 4567"},
       {P::HomeTelephoneNumber, u"031-123-4567"},
       {P::BusinessFaxNumber, u"+82-31-765-4321"},
       {P::BusinessTelephoneNumber, u"080-123-4567"}},
      {{P::FirstName, u"한석봉"}, {P::MobileTelephoneNumber, u"010.1234.5678"}},
      {{P::FirstName, u"신사임당"}},
      {{P::FirstName, u"오세훈"}, {P::BusinessTelephoneNumber, u"+82 2 123 4567"}},
      {{P::FirstName, u"서 장훈"}, {P::FullName, u"서장훈"}},
  };
}

PageSettings allPassesOffered() {
  PageSettings s;
  s.separateName = s.resetNumber = s.resetNationalNumber = s.resetFullName = true;
  s.resetDisplayName = true;
  s.separateType = 1;
  s.nameType = "1";
  s.displayNameType = 1;
  s.displayType = "이름(회사명/부서)";
  return s;
}

PageSettings allPassesTyped() {
  PageSettings s = allPassesOffered();
  s.useDefaultContacts = false;
  s.separateType = 3;
  s.nameType = "2";
  s.displayNameType = 2;
  s.displayNameTemplate = "직급 이름 (회사명-부서)";
  return s;
}

}  // namespace borvanta::testing_support
