#pragma once

namespace corvel {

/// Decides what ghost recovery does with what it counted. Pure.
class Mac26GhostRecoveryPlanner {
  public:
    class Action {
      public:
        enum class Kind { performHostRestart, reportClean, reportRequiresHostRestart };

        static Action performHostRestart(int ghostCount) {
            return Action(Kind::performHostRestart, ghostCount);
        }
        static Action reportClean() { return Action(Kind::reportClean, 0); }
        static Action reportRequiresHostRestart() {
            return Action(Kind::reportRequiresHostRestart, 0);
        }

        Kind kind() const { return kind_; }
        /// The count of performHostRestart; 0 otherwise.
        int ghostCount() const { return ghostCount_; }

        friend bool operator==(const Action&, const Action&) = default;

      private:
        Action(Kind kind, int ghostCount) : kind_(kind), ghostCount_(ghostCount) {}

        Kind kind_;
        int ghostCount_;
    };

    /// Clean without ghosts; a restart only when the person allowed it.
    static Action plan(int ghostCount, bool hostRestartAllowed);
};

} // namespace corvel
