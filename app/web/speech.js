// Reading the message panel aloud with the browser's own voice, switched on
// and off with F12 as in the window. When it is on, every new line of the
// panel is spoken, one after another, without holding up the game; the
// player's next command interrupts what is left of the last answer. Off at
// start. Screen readers need none of this: the panel is a live log region
// whose new lines they read, and the switch's state is announced in the
// notice line, a status region.
'use strict';

(() => {
  const synth = window.speechSynthesis;
  const notice = document.getElementById('notice');
  let on = false;

  function say(text) {
    if (!on || text.trim() === '') return;
    const line = new SpeechSynthesisUtterance(text);
    line.lang = 'en-GB';
    synth.speak(line);
  }

  function toggle() {
    if (!synth) {
      notice.textContent = 'Reading aloud is not available in this browser';
      return;
    }
    on = !on;
    if (!on) synth.cancel();
    notice.textContent = on ? 'Reading aloud on (F12 turns it off)' : 'Reading aloud off (F12 turns it on)';
    say('Reading aloud on');
  }

  new MutationObserver((records) => {
    if (!on) return;
    for (const r of records) for (const line of r.addedNodes) say(line.textContent);
  }).observe(document.getElementById('panel'), { childList: true });

  document.addEventListener('keydown', (e) => {
    if (e.key !== 'F12' || e.ctrlKey || e.altKey || e.metaKey || e.shiftKey) return;
    e.preventDefault();
    toggle();
  });
  // Switched off, nothing is spoken (toggle cancelled the rest); cancelling
  // again at every command would cost the browser's speech service a call.
  document.addEventListener('glim-command', () => { if (on) synth.cancel(); });
})();
