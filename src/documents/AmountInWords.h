#pragma once
// Totals written out in Arabic words, as printed on invoices, vouchers and notices. Pure functions:
// no database, no settings, always Arabic.
//
//   numberInWords(125)                          "فقط مائة وخمسة وعشرون"
//   amountPhrase(Money::parse(u"125.50"))       "فقط مائة وخمسة وعشرون ريال و 50 هللة"
//   amountPhrase(Money::fromInt(1000))          "فقط واحد ألف  ريال"
//   quantityPhrase(Qty::parse(u"12.5"))         "فقط اثنا عشر"  (halves to the even neighbour)
//
// The text always begins with "فقط " and keeps the printed documents' exact spacing: every word
// carries its own spaces, so some joins show two spaces ("فقط واحد مليون  و واحد").
//
// Beyond 9,999,999 the same grammar goes on in groups of three digits: a count of millions,
// billions ("مليار"), trillions ("تريليون"), ... is its group's words followed by the scale word
// and a space (a single digit uses the millions table's words: "اثنين مليون ", "اثنين مليار "),
// and the scale words follow one another without "و", just as millions meet thousands:
//   12,000,000      "فقط اثنا عشر مليون "
//   1,002,000,005   "فقط واحد مليار اثنين مليون  و خمسة"
// A negative value is the words of its magnitude after "سالب ": -5 is "فقط سالب خمسة".
#include "core/Money.h"
#include <QString>
#include <cstdint>

namespace kv::documents {

// Any whole number, 0 included ("فقط ").
QString numberInWords(std::int64_t n);

// The phrase for a money total shown with two decimals: the words of the whole part (decimals cut
// off, never rounded), then " ريال" when the shown decimals are "00", else " ريال و ", the two
// decimals as figures (leading zero kept) and " هللة".
QString amountPhrase(core::Money total);

// The words of a total quantity rounded to a whole number, halves to the even neighbour; no unit
// word.
QString quantityPhrase(core::Qty total);

} // namespace kv::documents
