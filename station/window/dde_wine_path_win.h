// What the station's DDE server does differently under Wine, and why. Wine's DDEML (8.0, 10.0 and
// upstream alike) differs from Windows' in ways that a server running all day meets:
//
// 1. Leaked updates. DdePostAdvise copies each update into a movable block with fRelease and
//    fAckReq off and never frees it, and Wine's posting to another process copies DDE data once
//    more and frees only the packed lParam: a block per post is lost, and a process has 65,536.
//    After about 16,000 records with four links every update arrives empty. The server therefore
//    posts each hot link's WM_DDE_DATA itself (PostLinkData): fRelease set, so the client frees
//    its copy, and the server frees its own block once the post has copied it.
// 2. Leaked requests. Answering a request costs DDEML two blocks the same way, and it follows the
//    data with a positive WM_DDE_ACK that the protocol does not have. The server answers
//    WM_DDE_REQUEST on each conversation window itself (AnswerRequestsOn), by the protocol, and
//    marks the window (kAnswersRequestsByProtocolProperty) for our clients.
// 3. Shared atoms. When DDEML posts (on Windows, or when a test asks for it), Wine's
//    DdePostAdvise adds the item's atom once and posts it to every link, and each client deletes
//    it: with several links the atom would vanish and clients drop the data. The server adds the
//    missing references first (AddLinkAtomReferences).
// 4. Dead conversations. A post to a client that died without ending its conversation fails, and
//    Wine's DdePostAdvise then skips every later link; Wine's DdeDisconnect does not end a
//    server's conversation either. The server drops such conversations before it posts, and ends
//    them by sending itself the terminate the client never sent (EndConversation).
// 5. Topic switch. Links opened on the topic before start-up switched it keep being served on
//    both paths: DdePostAdvise is given no topic, and PostLinkData serves every link.
//
// Under Wine is told by ntdll's wine_get_version export (common/wine_ddeml_win.h). A probe of the
// platform's behaviour would need a second process at every start, to see that a DDE block
// posted across processes arrives as a copy, and would say no more: the leaks are Wine's DDEML's,
// and on Windows the block posted is the one the client receives, so freeing it after the post
// would be wrong there.
#pragma once

#include <windows.h>
#include <ddeml.h>

#include <optional>
#include <string>
#include <string_view>

namespace tickvane::wine_dde {

// Posts one hot link's data from the server's conversation window to the client's: CF_TEXT
// bytes, NUL included. False when the post failed (the client is gone); nothing is left behind.
bool PostLinkData(HWND server, HWND client, std::wstring_view item, std::string_view cfText);

// What a request is answered with: the CF_TEXT bytes of the item (NUL included), or nothing for
// an unknown item or another format, which is refused.
class RequestSource {
 public:
  virtual ~RequestSource() = default;
  virtual std::optional<std::string> RequestedText(std::wstring_view item, UINT format) = 0;
};

// From now on requests on this conversation window of the server are answered from `source`,
// which must outlive the window; everything else stays DDEML's.
bool AnswerRequestsOn(HWND server, RequestSource& source);

// Adds the references that Wine's DdePostAdvise leaves out for `links` links of one item.
void AddLinkAtomReferences(std::wstring_view item, size_t links);

// Ends a server conversation whose client is gone, links included.
void EndConversation(HCONV conversation, const CONVINFO& info);

}  // namespace tickvane::wine_dde
