// The page in headless Chromium, for bench/run_bench.sh: node web_page.js FOLDER WIDTH HEIGHT.
// Serves FOLDER (make web's build-web/), shows its page at WIDTH x HEIGHT, and keeps the file
// of bench/frame_counter.cpp, $TUMBLIX_FRAMES.<pid of this program>, up to date every POLL_MS
// with the frames the page counts itself (its buffer swaps). Chromium's processes are this
// program's descendants, and nothing else is. SIGUSR2 hides the page's document, as a tab in
// the background. Runs until it is ended; ending it closes the browser.
'use strict';
const fs = require('fs');
const { serve, launch, setHidden } = require('../tests/web/browser');

const [folder, width, height] = process.argv.slice(2);
const POLL_MS = 100;  // milliseconds between readings of the page's count

(async () => {
  const browser = await launch();
  const pid = process.pid;
  const page = await browser.newPage({ viewport: { width: Number(width), height: Number(height) } });
  await page.goto(await serve(folder));
  process.on('SIGUSR2', () => setHidden(page, true));
  const file = `${process.env.TUMBLIX_FRAMES}.${pid}`;
  // Swaps, glBegin calls (not seen from here: 0), first and latest swap (ns), pid.
  const counts = new BigInt64Array([0n, 0n, 0n, 0n, BigInt(pid)]);
  for (;;) {
    const frames = BigInt(await page.evaluate(() => (Module.calledRun ? Module._TumblixFrames() : 0)));
    if (frames > counts[0]) {
      const now = BigInt(Date.now()) * 1000000n;
      if (counts[0] === 0n) counts[2] = now;
      counts[0] = frames;
      counts[3] = now;
      // Replaced whole, so a reader never sees half of an update; the new file's name is
      // outside the reader's pattern (PATH.*).
      fs.writeFileSync(`${process.env.TUMBLIX_FRAMES}-new`, Buffer.from(counts.buffer));
      fs.renameSync(`${process.env.TUMBLIX_FRAMES}-new`, file);
    }
    await new Promise(resolve => setTimeout(resolve, POLL_MS));
  }
})().catch(error => {
  console.error(`web_page.js: ${error.message}`);
  process.exit(1);
});
