// The editor's JSON API, as the page calls it. Every answer is JSON; an
// error answer carries {"error": "..."}.

export async function call(method, path, body) {
  const init = { method, headers: {} };
  if (body !== undefined) {
    init.headers['Content-Type'] = 'application/json';
    init.body = JSON.stringify(body);
  }
  let response;
  try {
    response = await fetch(path, init);
  } catch (failure) {
    return { status: 0, ok: false, data: { error: `the editor is not answering (${failure.message})` } };
  }
  let data;
  try {
    data = await response.json();
  } catch {
    data = { error: `answer not JSON (HTTP ${response.status})` };
  }
  return { status: response.status, ok: response.ok, data };
}

export const api = {
  state: () => call('GET', '/api/state'),
  level: () => call('GET', '/api/level'),
  probe: (x, y) => call('GET', `/api/probe?x=${encodeURIComponent(x)}&y=${encodeURIComponent(y)}`),
  addMark: (at) => call('POST', '/api/marks', { at }),
  undo: () => call('POST', '/api/marks/undo'),
  commit: () => call('POST', '/api/recording/commit'),
  select: (at) => call('POST', '/api/select', { at }),
  deleteSelected: () => call('POST', '/api/selected/delete'),
  save: (force) => call('POST', '/api/save', force ? { force: true } : undefined),
  reload: () => call('POST', '/api/reload'),
  route: (request) => call('POST', '/api/route', request),
  check: () => call('GET', '/api/check'),
};
