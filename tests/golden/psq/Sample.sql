-- 受注集計パッケージ (PL/SQL)
-- 顧客別・月別の受注金額を集計表に書き込む。

CREATE OR REPLACE PACKAGE order_summary AS
	-- 集計の単位
	c_unit CONSTANT VARCHAR2(10) := '円';
	TYPE t_amounts IS TABLE OF NUMBER(12, 2) INDEX BY BINARY_INTEGER;

	PROCEDURE run (p_month IN DATE);
	FUNCTION customer_total (p_customer_id IN NUMBER) RETURN NUMBER;
END order_summary;
/

CREATE OR REPLACE PACKAGE BODY order_summary AS

	/* 顧客ごとの合計を返す。
	   受注がなければ 0 を返す。 */
	FUNCTION customer_total (p_customer_id IN NUMBER) RETURN NUMBER
	IS
		v_total NUMBER := 0;
	BEGIN
		SELECT NVL(SUM(o.amount), 0)
		  INTO v_total
		  FROM orders o
		 WHERE o.customer_id = p_customer_id
		   AND o.status != 'CANCELLED';
		RETURN v_total;
	EXCEPTION
		WHEN NO_DATA_FOUND THEN
			RETURN 0;
	END customer_total;

	PROCEDURE run (p_month IN DATE)
	IS
		CURSOR c_customers IS
			SELECT c.customer_id, c."Customer Name" AS name
			  FROM customers c
			 WHERE c.active_flag = 'Y'
			 ORDER BY c.customer_id;
		v_row c_customers%ROWTYPE;
		v_amount NUMBER(12, 2);
		v_label VARCHAR2(200);
		v_rate CONSTANT NUMBER := 1.05E+0;
	BEGIN
		DELETE FROM summary_table WHERE month = TRUNC(p_month, 'MM');

		OPEN c_customers;
		LOOP
			FETCH c_customers INTO v_row;
			EXIT WHEN c_customers%NOTFOUND;
			v_amount := customer_total(v_row.customer_id) * v_rate;
			-- 表示名: ソート用に「顧客名 (番号)」とする
			v_label := v_row.name || ' (' || TO_CHAR(v_row.customer_id) || ')';
			IF v_amount > 1e6 THEN
				v_label := v_label || ' ★大口';
			ELSIF v_amount = 0 THEN
				v_label := v_label || ' it''s zero';
			END IF;
			INSERT INTO summary_table ("Month", customer_id, label, amount)
			VALUES (TRUNC(p_month, 'MM'), v_row.customer_id, v_label, v_amount);
		END LOOP;
		CLOSE c_customers;
		COMMIT;
		DBMS_OUTPUT.PUT_LINE('集計表を更新しました: ' || SQL%ROWCOUNT || ' 件');
	EXCEPTION
		WHEN OTHERS THEN
			ROLLBACK;
			RAISE_APPLICATION_ERROR(-20001, '集計に失敗しました (能力不足?): ' || SQLERRM);
	END run;

END order_summary;
/

begin
	order_summary.run(sysdate);
	dbms_output.put_line('完了: ' || to_char(sysdate, 'YYYY/MM/DD HH24:MI'));
end;
/
