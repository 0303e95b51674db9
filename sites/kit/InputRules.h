#pragma once

#include <string>
#include <string_view>

struct JobContext;

// The steps the site types' normalisations share.
namespace InputRules {

bool HasScheme(std::u16string_view text);
// Skips past the first "http://" or "https://", whichever comes first.
void SkipScheme(std::u16string& text);
bool IsAllDigits(std::u16string_view text);

// A page the normalisation needs (a profile page naming the user's id): UTF-8 text, inflated,
// fetched with the list's stop. False when nothing came.
bool FetchPage(JobContext& job, std::u16string_view url, std::u16string& page);

// A message box with an OK button; an empty caption means the application's title.
void Notice(JobContext& job, std::u16string_view text, std::u16string_view caption = {});

}  // namespace InputRules
