#include "game/core/Conversation.h"

namespace game {

std::string number(std::int64_t n) { return std::to_string(n); }

void forgetPlayer(tmy& p) {
  p.playerName.clear();
  p.playerSex = 0;
  p.birthMonth = 0;
  p.birthDay = 0;
}

Task<void> Conversation::AskBirthday() {
  bool confirmed = false;
  while (!confirmed) {
    const Pair birthday = co_await WaitBirthday();
    PlayWave0("ok.wav");
    ShowPanel(Panel::None);
    const std::string date = number(birthday.month) + "月" + number(birthday.day) + "日";
    if (engine_.mode() == GameMode::CompatPartner) {
      profile().partnerMonth = birthday.month;
      profile().partnerDay = birthday.day;
      ShowFace("kao1.bmp");
      Say("相手の人の生年月日は、" + date + "ね？");
    } else {
      profile().birthMonth = birthday.month;
      profile().birthDay = birthday.day;
      ShowFace("kao1.bmp");
      Say("ほーほー、生年月日は、" + date + "ね？");
    }
    confirmed = co_await WaitYesNo() == Answer::Yes;
    if (!confirmed) {
      profile().mood -= 1;
      ShowFace("kao3.bmp");
      Say("なに？君、私の記憶力を疑う気なわけ？");
      co_await WaitClick();
      Say("ムキー！早く教えてよ！！");
      ShowPanel(Panel::Birthday);
    }
  }
}

}  // namespace game
