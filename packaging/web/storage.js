// Settings and high scores live in the browser's IndexedDB. The folder the
// program keeps them in is filled from there before the program starts, and
// written back after every save (the program calls rockpileFilesSaved).
Module['preRun'] = Module['preRun'] || [];
Module['preRun'].push(function () {
  var folder = '/home/web_user/.config';
  FS.mkdirTree(folder);
  FS.mount(IDBFS, {}, folder);
  addRunDependency('rockpile-storage');
  FS.syncfs(true, function (error) {
    if (error) console.error('rockpile: the stored settings and scores could not be read: ' + error);
    removeRunDependency('rockpile-storage');
  });
});

// One write-back at a time; saves made meanwhile go in the next one.
var rockpileStorage = { writing: false, again: false };
Module['rockpileFilesSaved'] = function () {
  if (rockpileStorage.writing) {
    rockpileStorage.again = true;
    return;
  }
  rockpileStorage.writing = true;
  FS.syncfs(false, function (error) {
    rockpileStorage.writing = false;
    if (error) console.error('rockpile: settings and scores could not be stored in the browser: ' + error);
    else Module['rockpileStoredCount'] = (Module['rockpileStoredCount'] || 0) + 1;
    if (rockpileStorage.again) {
      rockpileStorage.again = false;
      Module['rockpileFilesSaved']();
    }
  });
};
