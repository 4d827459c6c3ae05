#pragma once
// The values the generator draws from, in UTF-8: names, words of address,
// companies, departments, job titles, addresses and vendor properties, in the
// shares in which they turn up in Korean address books.

#include <string_view>

#include "tools/generator/random.h"

namespace borvanta::generator::pools {

// One-syllable surnames with their rough share per thousand Koreans.
inline constexpr Weighted<std::string_view> kSurnames[] = {
    {"김", 215}, {"이", 147}, {"박", 84}, {"최", 47}, {"정", 43}, {"강", 23}, {"조", 21},
    {"윤", 20},  {"장", 20},  {"임", 17}, {"한", 15}, {"오", 15}, {"서", 15}, {"신", 14},
    {"권", 14},  {"황", 13},  {"안", 13}, {"송", 13}, {"류", 12}, {"전", 11}, {"홍", 11},
    {"고", 9},   {"문", 9},   {"양", 8},  {"손", 8},  {"배", 8},  {"백", 7},  {"허", 6},
    {"유", 6},   {"남", 5},   {"심", 5},  {"노", 4},  {"하", 4},  {"곽", 4},  {"성", 4},
    {"차", 4},   {"주", 4},   {"우", 4},  {"구", 4},  {"민", 3},  {"진", 3},  {"나", 3},
    {"지", 3},   {"엄", 3},   {"채", 2},  {"원", 2},  {"천", 2},  {"방", 2},  {"공", 2},
    {"현", 2},   {"함", 2},   {"변", 2},  {"염", 2},  {"여", 2},  {"추", 1},  {"도", 1},
    {"석", 1},   {"설", 1},   {"마", 1},  {"길", 1},  {"연", 1},  {"위", 1},  {"표", 1},
    {"명", 1},   {"기", 1},   {"반", 1},  {"라", 1},  {"왕", 1},  {"금", 1},  {"옥", 1},
    {"육", 1},   {"인", 1},   {"맹", 1},  {"제", 1},  {"모", 1},  {"탁", 1},  {"국", 1}};

// Two-syllable surnames.
inline constexpr std::string_view kCompoundSurnames[] = {"남궁", "황보", "제갈", "선우",
                                                         "독고", "사공", "서문", "동방"};

// Given names of two syllables, old and new.
inline constexpr std::string_view kGivenNames[] = {
    "민준", "서연", "지훈", "서윤", "도윤", "하은", "예준", "지우", "시우", "민서", "주원", "하윤",
    "지호", "지민", "준서", "수빈", "현우", "지유", "건우", "채원", "우진", "지아", "서현", "민재",
    "다은", "현준", "예은", "연우", "수아", "정우", "예린", "승우", "윤서", "승현", "소율", "철수",
    "영희", "영수", "순자", "영숙", "정희", "미경", "은정", "성민", "상훈", "동현", "지영", "혜진",
    "경민", "민수", "성호", "재훈", "미영", "은영", "현정", "영호", "정훈", "진우", "석진", "태형",
    "슬기", "하늘", "보람", "아름", "나래", "은비", "태희", "유진", "상철", "광수", "종국", "병철",
    "용준", "기현", "혜원", "수진", "선영", "경희", "명숙", "재석"};

// Given names of one syllable, and of three.
inline constexpr std::string_view kShortGivenNames[] = {"석", "희", "훈", "진", "혁", "솔", "별"};
inline constexpr std::string_view kLongGivenNames[] = {"수한무", "다솜이", "한별아", "빛나리",
                                                       "슬기로"};

// Given names with a syllable that only the extended code page 949 holds.
inline constexpr std::string_view kExtendedGivenNames[] = {"똠순", "뜽희", "믜정", "햏진", "샾미"};

// Words of address kept whole by name separation, and others that are not.
inline constexpr std::string_view kAddressTerms[] = {"엄마",   "아빠",   "오빠",  "아들", "누나",
                                                     "언니",   "삼촌",   "자기",  "사랑", "동생",
                                                     "아버지", "어머니", "자기님"};
inline constexpr std::string_view kOtherAddressTerms[] = {"여보",   "할머니", "할아버지", "울엄마",
                                                          "와이프", "남편",   "막내",     "이모"};

// Job titles put where a given name belongs: 김과장.
inline constexpr std::string_view kTitleNicknames[] = {"과장", "부장",   "대리",  "사장님",
                                                       "실장", "팀장님", "선생님"};

struct LatinName {
  std::string_view given;
  std::string_view family;
};
inline constexpr LatinName kLatinNames[] = {
    {"John", "Smith"},    {"Jane", "Doe"},      {"Michael", "Brown"}, {"Sarah", "Johnson"},
    {"David", "Lee"},     {"Emily", "Park"},    {"Chris", "Kim"},     {"James", "Wilson"},
    {"Robert", "Taylor"}, {"Jennifer", "Choi"}, {"Daniel", "Jung"},   {"Kevin", "Yoon"},
    {"Anna", "Schmidt"},  {"Olivia", "Martin"}, {"Tom", "O'Brien"},   {"Mary-Jane", "Watson"},
    {"Cheolsu", "Kim"},   {"Minjun", "Lee"},    {"Seoyeon", "Park"},  {"Jihoon", "Choi"}};

inline constexpr std::string_view kCompanies[] = {"삼성전자",         "(주)엘지화학",
                                                  "현대자동차",       "SK하이닉스",
                                                  "주식회사 카카오",  "네이버(주)",
                                                  "한국전력공사",     "포스코",
                                                  "롯데쇼핑",         "신한은행",
                                                  "국민은행",         "우리은행",
                                                  "하나은행",         "대한항공",
                                                  "CJ제일제당",       "GS리테일",
                                                  "한화솔루션",       "KT",
                                                  "LG유플러스",       "쿠팡",
                                                  "서울대학교병원",   "한국전자통신연구원",
                                                  "법무법인 태평양",  "삼일회계법인",
                                                  "이마트",           "교보생명",
                                                  "CJ대한통운",       "동아제약",
                                                  "유한양행",         "두산에너빌리티",
                                                  "셀트리온",         "엔씨소프트",
                                                  "넥슨코리아",       "서울특별시청",
                                                  "강남구청",         "㈜한솔테크",
                                                  "대성기계공업(주)", "미래에셋증권"};
inline constexpr std::string_view kLatinCompanies[] = {
    "Samsung Electronics Co., Ltd.", "Google Korea LLC", "Microsoft Korea",    "IBM Korea, Inc.",
    "Hyundai Motor Company",         "LG Electronics",   "Deloitte Anjin LLC", "McKinsey & Company",
    "Amazon Web Services Korea",     "Coupang, Inc.",    "Acme; Holdings"};

inline constexpr std::string_view kDepartments[] = {
    "영업팀",       "영업1팀",  "해외영업부",   "마케팅팀",     "인사팀",           "총무부",
    "경영지원팀",   "재무팀",   "회계팀",       "개발팀",       "소프트웨어개발팀", "중앙연구소",
    "품질관리팀",   "구매팀",   "생산관리부",   "기획팀",       "전략기획실",       "법무팀",
    "고객지원센터", "디자인팀", "플랫폼개발실", "인프라운영팀", "비서실",           "대표이사실"};
inline constexpr std::string_view kLatinDepartments[] = {
    "Sales",       "Marketing",        "R&D",   "Human Resources", "Finance", "IT",
    "Engineering", "Customer Success", "Legal", "Operations"};

inline constexpr std::string_view kTitles[] = {
    "사원",   "주임",   "대리",   "과장",       "차장",       "부장",       "이사",
    "상무",   "전무",   "부사장", "사장",       "대표이사",   "팀장",       "실장",
    "본부장", "센터장", "연구원", "선임연구원", "책임연구원", "수석연구원", "교수",
    "원장",   "변호사", "회계사", "매니저",     "프로"};
inline constexpr std::string_view kLatinTitles[] = {
    "Manager", "Senior Manager",    "Director",          "VP of Sales", "CEO",
    "CTO",     "Software Engineer", "Account Executive", "Consultant",  "Intern"};

// Postal addresses: region with one of its districts, and roads.
struct Locality {
  std::string_view region;
  std::string_view district;
};
inline constexpr Locality kLocalities[] = {
    {"서울특별시", "강남구"},      {"서울특별시", "서초구"},    {"서울특별시", "종로구"},
    {"서울특별시", "중구"},        {"서울특별시", "마포구"},    {"서울특별시", "영등포구"},
    {"부산광역시", "해운대구"},    {"경기도", "수원시 영통구"}, {"경기도", "성남시 분당구"},
    {"경기도", "고양시 일산동구"}, {"대전광역시", "유성구"},    {"제주특별자치도", "제주시"}};
inline constexpr std::string_view kRoads[] = {"테헤란로", "강남대로", "세종대로",     "을지로",
                                              "여의대로", "판교역로", "해운대해변로", "월드컵북로"};

// Free-text notes, some running over several lines.
inline constexpr std::string_view kNotes[] = {
    "2019년 전시회에서 만남", "거래처 담당자, 월요일 오전 통화 선호",
    "생일: 3월 15일\n선물: 커피 쿠폰", "회의록은 메일로 보낼 것; 회신 빠름",
    "Met at the Seoul trade fair, 2021"};

inline constexpr std::string_view kMailDomains[] = {"naver.com",   "gmail.com",    "daum.net",
                                                    "hanmail.net", "kakao.com",    "nate.com",
                                                    "samsung.com", "company.co.kr"};

}  // namespace borvanta::generator::pools
